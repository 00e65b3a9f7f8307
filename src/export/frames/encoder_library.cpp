#include "export/frames/encoder_library.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

using namespace Qt::StringLiterals;

namespace tivora::exporting {
namespace {

const char* extensionOf(AnimationFormat format) {
    switch (format) {
    case AnimationFormat::Gif:
        return "gif";
    case AnimationFormat::WebP:
        return "webp";
    case AnimationFormat::Mp4:
        return "mp4";
    case AnimationFormat::WebM:
        return "webm";
    case AnimationFormat::Svg:
        break;
    }
    return nullptr;
}

QString executableFolder() {
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(u"/proc/self/exe"_s).canonicalPath();
}

const QString kLibraryName = QStringLiteral(TIVORA_ENCODER_LIBRARY_NAME);

} // namespace

EncoderLibrary::EncoderLibrary(QStringList folders)
    : m_folders(std::move(folders)) {}

EncoderLibrary& EncoderLibrary::programs() {
    static EncoderLibrary library(defaultFolders(executableFolder()));
    return library;
}

QStringList EncoderLibrary::defaultFolders(const QString& executableFolder) {
    return {
        QDir::cleanPath(executableFolder),
        QDir::cleanPath(executableFolder + u'/' + QStringLiteral(TIVORA_ENCODER_INSTALL_FOLDER))};
}

void EncoderLibrary::open() {
    for (const QString& folder : std::as_const(m_folders)) {
        const QString path = QDir(folder).filePath(kLibraryName);
        if (!QFileInfo::exists(path))
            continue;
        QLibrary library(path);
        m_create = reinterpret_cast<CreateFrameEncoder>(library.resolve(kCreateFrameEncoderSymbol));
        if (!m_create)
            m_error = u"the encoder library %1 cannot be used: %2"_s.arg(
                QDir::toNativeSeparators(path), library.errorString());
        return;
    }
    QStringList shown;
    for (const QString& folder : std::as_const(m_folders))
        shown.append(QDir::toNativeSeparators(folder));
    m_error = u"the encoder library %1, which writes GIF, WebP and video files, is not in %2"_s.arg(
        kLibraryName, shown.join(u" or "_s));
}

std::unique_ptr<FrameEncoder> EncoderLibrary::create(AnimationFormat format, QString& error) {
    const char* extension = extensionOf(format);
    if (!extension) {
        error = u"not a picture sequence format"_s;
        return nullptr;
    }
    std::call_once(m_opened, [this] { open(); });
    if (!m_create) {
        error = m_error;
        return nullptr;
    }
    std::unique_ptr<FrameEncoder> encoder(m_create(extension));
    if (!encoder)
        error =
            u"the encoder library has no encoder for .%1 files"_s.arg(QLatin1StringView(extension));
    return encoder;
}

std::unique_ptr<FrameEncoder> createFrameEncoder(AnimationFormat format, QString& error) {
    return EncoderLibrary::programs().create(format, error);
}

} // namespace tivora::exporting
