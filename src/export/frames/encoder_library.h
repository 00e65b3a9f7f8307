#pragma once

#include "export/frames/frame_encoder.h"
#include "export/render_animated.h"

#include <QStringList>
#include <memory>
#include <mutex>

namespace tivora::exporting {

// The library that holds the encoders, looked for in a list of folders (the first that holds it
// wins) and opened on the first encoder asked for. It stays open for the rest of the run: the
// encoders it made keep their code in it.
class EncoderLibrary {
public:
    explicit EncoderLibrary(QStringList folders);

    // The library the programs use, looked for in defaultFolders of the running program.
    static EncoderLibrary& programs();
    // Beside the program (the build tree, a portable copy), then the library folder of an
    // installation under a prefix.
    static QStringList defaultFolders(const QString& executableFolder);

    // A new encoder for format; null, and the reason in error, when the library cannot be found
    // or opened or has no encoder for format. Safe to call from any thread.
    std::unique_ptr<FrameEncoder> create(AnimationFormat format, QString& error);

private:
    void open();

    QStringList m_folders;
    std::once_flag m_opened;
    CreateFrameEncoder m_create = nullptr;
    QString m_error;
};

// An encoder for format from the programs' encoder library.
std::unique_ptr<FrameEncoder> createFrameEncoder(AnimationFormat format, QString& error);

} // namespace tivora::exporting
