// GIF, WebP and video files read back with the libraries that wrote them: every frame there, at
// the stage's size, starting on the first frame of the animation and ending on its settled look.
#include "engine/movies/graph_file_scene.h"
#include "engine/movies/movie.h"
#include "export/animation_writer.h"
#include "export/frames/video_encoder.h"
#include "export_fixture.h"

#include <QTest>
#include <gif_lib.h>
#include <webp/demux.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

using namespace Qt::StringLiterals;
using namespace tivora;
using namespace tivora::exporting;
using namespace tivora::exporting::testing;

namespace {

constexpr int kFps = 10;

struct Decoded {
    int frames = 0; // as played: a stored frame that lasts n frame times counts n times
    int stored = 0;
    bool wholeFrameTimes = true; // every stored frame lasts a whole number of frame times
    QSize size;
    QImage first;
    QImage last;
};

Decoded decodeGif(const QString& path) {
    Decoded result;
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.toLocal8Bit().constData(), &error);
    if (!gif || DGifSlurp(gif) == GIF_ERROR)
        return result;
    result.frames = gif->ImageCount;
    result.size = QSize(gif->SWidth, gif->SHeight);
    QImage canvas(result.size, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage& frame = gif->SavedImages[i];
        const GifImageDesc& desc = frame.ImageDesc;
        const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
        for (int y = 0; y < desc.Height; ++y) {
            for (int x = 0; x < desc.Width; ++x) {
                const GifColorType c = map->Colors[frame.RasterBits[y * desc.Width + x]];
                canvas.setPixel(desc.Left + x, desc.Top + y, qRgb(c.Red, c.Green, c.Blue));
            }
        }
        if (i == 0)
            result.first = canvas;
    }
    result.last = canvas;
    DGifCloseFile(gif, &error);
    return result;
}

// The encoder joins frames that do not differ into one longer frame, so the frames as played are
// counted by time: each decoded frame lasts from the previous timestamp to its own.
Decoded decodeWebP(const QString& path, int fps) {
    Decoded result;
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    WebPData data{reinterpret_cast<const uint8_t*>(bytes.constData()), std::size_t(bytes.size())};
    WebPAnimDecoderOptions options;
    WebPAnimDecoderOptionsInit(&options);
    options.color_mode = MODE_BGRA;
    WebPAnimDecoder* decoder = WebPAnimDecoderNew(&data, &options);
    if (!decoder)
        return result;
    WebPAnimInfo info;
    WebPAnimDecoderGetInfo(decoder, &info);
    result.size = QSize(int(info.canvas_width), int(info.canvas_height));
    int frameEnd = 0;
    while (WebPAnimDecoderHasMoreFrames(decoder)) {
        uint8_t* pixels = nullptr;
        int timestamp = 0;
        WebPAnimDecoderGetNext(decoder, &pixels, &timestamp);
        // Timestamps are whole milliseconds: a frame time of 1000 / fps may round either way.
        const double frameTimes = (timestamp - frameEnd) * fps / 1000.0;
        result.frames += int(std::lround(frameTimes));
        result.wholeFrameTimes = result.wholeFrameTimes && frameTimes >= 0.5 &&
                                 std::fabs(frameTimes - std::round(frameTimes)) * 1000.0 / fps <= 1;
        frameEnd = timestamp;
        ++result.stored;
        const QImage frame =
            QImage(pixels, result.size.width(), result.size.height(), QImage::Format_ARGB32)
                .convertToFormat(QImage::Format_RGB32);
        if (result.stored == 1)
            result.first = frame;
        result.last = frame;
    }
    WebPAnimDecoderDelete(decoder);
    return result;
}

QImage toImage(const AVFrame* frame) {
    // The scaler writes whole vectors past the end of a row: it gets a buffer of its own size.
    uint8_t* planes[4] = {};
    int strides[4] = {};
    av_image_alloc(planes, strides, frame->width, frame->height, AV_PIX_FMT_BGRA, 64);
    SwsContext* scale =
        sws_getContext(frame->width, frame->height, AVPixelFormat(frame->format), frame->width,
                       frame->height, AV_PIX_FMT_BGRA, SWS_BICUBIC, nullptr, nullptr, nullptr);
    sws_scale(scale, frame->data, frame->linesize, 0, frame->height, planes, strides);
    sws_freeContext(scale);
    QImage image =
        QImage(planes[0], frame->width, frame->height, strides[0], QImage::Format_RGB32).copy();
    av_freep(&planes[0]);
    return image;
}

Decoded decodeVideo(const QString& path) {
    Decoded result;
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, path.toLocal8Bit().constData(), nullptr, nullptr) < 0)
        return result;
    avformat_find_stream_info(format, nullptr);
    const AVStream* stream = format->streams[0];
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    AVCodecContext* context = avcodec_alloc_context3(codec);
    avcodec_parameters_to_context(context, stream->codecpar);
    avcodec_open2(context, codec, nullptr);
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    const auto receive = [&] {
        while (avcodec_receive_frame(context, frame) == 0) {
            result.size = QSize(frame->width, frame->height);
            const QImage image = toImage(frame);
            if (result.frames++ == 0)
                result.first = image;
            result.last = image;
        }
    };
    while (av_read_frame(format, packet) >= 0) {
        avcodec_send_packet(context, packet);
        av_packet_unref(packet);
        receive();
    }
    avcodec_send_packet(context, nullptr);
    receive();
    av_frame_free(&frame);
    av_packet_free(&packet);
    avcodec_free_context(&context);
    avformat_close_input(&format);
    return result;
}

} // namespace

class TestAnimationFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void gifHoldsEveryFrame();
    void webpPlaysTheWholeAnimation_data();
    void webpPlaysTheWholeAnimation();
    void videosHoldEveryFrame_data();
    void videosHoldEveryFrame();
    void theVideosAddedRowContinuesTheGraph();
    void framesRunUntilTheGraphSettles();
    void oneLayoutServesEveryForm();

private:
    QTemporaryDir m_folder;
    QString m_graph;
    std::unique_ptr<engine::Movie> m_movie;
    QImage m_start;
    QImage m_settled;
};

void TestAnimationFiles::initTestCase() {
    QVERIFY(m_folder.isValid());
    for (const auto& [name, path] : writeTestGraphs(QDir(m_folder.path()))) {
        if (name == "bar"_L1)
            m_graph = path;
    }
    m_movie = std::make_unique<engine::Movie>(engine::layoutGraphFile(m_graph));
    const QDir dir(m_folder.path());
    m_start = stillPicture(m_graph, 0, dir);
    m_settled = stillPicture(m_graph, m_movie->settledTime(), dir);
}

void TestAnimationFiles::gifHoldsEveryFrame() {
    const QString out = m_folder.filePath(u"bar.gif"_s);
    QCOMPARE(writeAnimation(*m_movie, out, AnimationFormat::Gif, kFps), std::nullopt);
    const Decoded gif = decodeGif(out);
    QCOMPARE(gif.frames, frameCount(*m_movie, kFps));
    QCOMPARE(gif.size, QSize(700, 475));
    // Dithering moves pixels a few levels; shapes and colours stay.
    QVERIFY2(meanDifference(gif.first, m_start) < 3.0,
             qPrintable(QString::number(meanDifference(gif.first, m_start))));
    QVERIFY2(meanDifference(gif.last, m_settled) < 3.0,
             qPrintable(QString::number(meanDifference(gif.last, m_settled))));
}

void TestAnimationFiles::webpPlaysTheWholeAnimation_data() {
    QTest::addColumn<int>("fps");
    QTest::addRow("10 fps") << kFps;
    // A frame time of 33.3 ms: timestamps round, frame counts must not.
    QTest::addRow("30 fps") << 30;
}

void TestAnimationFiles::webpPlaysTheWholeAnimation() {
    QFETCH(int, fps);
    const QString out = m_folder.filePath(u"bar.webp"_s);
    QCOMPARE(writeAnimation(*m_movie, out, AnimationFormat::WebP, fps), std::nullopt);
    const Decoded webp = decodeWebP(out, fps);
    QCOMPARE(webp.frames, frameCount(*m_movie, fps));
    QVERIFY(webp.wholeFrameTimes);
    QVERIFY(webp.stored > 1);
    QCOMPARE(webp.size, QSize(700, 475));
    QVERIFY(meanDifference(webp.first, m_start) < 3.0);
    QVERIFY(meanDifference(webp.last, m_settled) < 3.0);
}

void TestAnimationFiles::videosHoldEveryFrame_data() {
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("name");
    QTest::addRow("mp4") << int(AnimationFormat::Mp4) << u"bar.mp4"_s;
    QTest::addRow("webm") << int(AnimationFormat::WebM) << u"bar.webm"_s;
}

void TestAnimationFiles::videosHoldEveryFrame() {
    QFETCH(int, format);
    QFETCH(QString, name);
    const QString out = m_folder.filePath(name);
    QCOMPARE(writeAnimation(*m_movie, out, AnimationFormat(format), kFps), std::nullopt);
    const Decoded video = decodeVideo(out);
    QCOMPARE(video.frames, frameCount(*m_movie, kFps));
    // 4:2:0 colour needs an even height: the stage's last row is repeated.
    QCOMPARE(video.size, VideoEncoder::evenSize(QSize(700, 475)));
    QCOMPARE(video.size, QSize(700, 476));
    const QRect stage(0, 0, 700, 475);
    QVERIFY2(meanDifference(video.first.copy(stage), m_start) < 4.0,
             qPrintable(QString::number(meanDifference(video.first.copy(stage), m_start))));
    QVERIFY2(meanDifference(video.last.copy(stage), m_settled) < 4.0,
             qPrintable(QString::number(meanDifference(video.last.copy(stage), m_settled))));
}

void TestAnimationFiles::theVideosAddedRowContinuesTheGraph() {
    // A graph on a dark stage: a white added row would stand out as a band.
    QFile bar(m_graph);
    QVERIFY(bar.open(QIODevice::ReadOnly));
    QByteArray text = bar.readAll();
    QVERIFY(text.contains("&bg_=0xFFFFFF"));
    text.replace("&bg_=0xFFFFFF", "&bg_=0x1F3A5F");
    const QString graph = m_folder.filePath(u"dark.txt"_s);
    QFile dark(graph);
    QVERIFY(dark.open(QIODevice::WriteOnly) && dark.write(text) == text.size());
    dark.close();
    const engine::Movie movie(engine::layoutGraphFile(graph));
    const QString out = m_folder.filePath(u"dark.mp4"_s);
    QCOMPARE(writeAnimation(movie, out, AnimationFormat::Mp4, kFps), std::nullopt);
    const QImage settled = stillPicture(graph, movie.settledTime(), QDir(m_folder.path()));
    const QImage stageBottomRow = settled.copy(0, 474, 700, 1);
    QImage white(stageBottomRow.size(), stageBottomRow.format());
    white.fill(Qt::white);
    QVERIFY(meanDifference(stageBottomRow, white) > 20.0);
    const QImage addedRow = decodeVideo(out).last.copy(0, 475, 700, 1);
    QVERIFY2(meanDifference(addedRow, stageBottomRow) < 6.0,
             qPrintable(QString::number(meanDifference(addedRow, stageBottomRow))));
}

void TestAnimationFiles::framesRunUntilTheGraphSettles() {
    // Both ends are frames: 0 and the first frame at or past the settled moment.
    const int frames = frameCount(*m_movie, kFps);
    QVERIFY((frames - 1) * 1000.0 / kFps <= m_movie->settledTime());
    QVERIFY(frames * 1000.0 / kFps > m_movie->settledTime());
    // A graph with a picture rotation plays one whole round of it.
    engine::Movie mixed(engine::layoutGraphFile(m_folder.filePath(u"mixed.txt"_s)));
    QVERIFY(frameCount(mixed, kFps) >= 2 * 5000 / (1000 / kFps));
}

void TestAnimationFiles::oneLayoutServesEveryForm() {
    QString error;
    const auto input = loadAnimatedInput(m_graph, false, error);
    QVERIFY2(input, qPrintable(error));
    QCOMPARE(input->summary.title, u"Sales of bar"_s);
    for (const QString& name : {u"once.svg"_s, u"once.gif"_s}) {
        const QString out = m_folder.filePath(name);
        QCOMPARE(writeAnimated(*input, out, kFps), std::nullopt);
        QVERIFY(QFileInfo(out).size() > 1000);
    }
    // Outputs are checked as every render checks them.
    const auto refused = writeAnimated(*input, m_folder.filePath(u"once.avi"_s), kFps);
    QVERIFY(refused && refused->contains(u"cannot tell the animated format"_s));
    QVERIFY(writeAnimated(*input, m_folder.path(), kFps)); // a folder
    QCOMPARE(loadAnimatedInput(m_folder.filePath(u"missing.txt"_s), false, error), std::nullopt);
    QVERIFY(error.contains(u"missing.txt"_s));
}

QTEST_MAIN(TestAnimationFiles)
#include "tst_animation_files.moc"
