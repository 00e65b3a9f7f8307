#include "export/frames/frame_encoder.h"
#include "export/frames/gif_encoder.h"
#include "export/frames/video_encoder.h"
#include "export/frames/webp_encoder.h"

#include <cstring>

using namespace tivora::exporting;

// The symbol is looked up by name, so it keeps C linkage; see kCreateFrameEncoderSymbol.
extern "C" __attribute__((visibility("default"))) FrameEncoder*
tivoraCreateFrameEncoder1(const char* extension) {
    const auto named = [extension](const char* name) {
        return std::strcmp(extension, name) == 0;
    };
    if (named("gif"))
        return new GifEncoder;
    if (named("webp"))
        return new WebPEncoder;
    if (named("mp4"))
        return new VideoEncoder(VideoEncoder::Container::Mp4);
    if (named("webm"))
        return new VideoEncoder(VideoEncoder::Container::WebM);
    return nullptr;
}

// The entry point must match the type the loader casts it to.
static_assert(std::is_same_v<decltype(&tivoraCreateFrameEncoder1), CreateFrameEncoder>);
