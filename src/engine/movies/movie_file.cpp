#include "engine/movies/movie_file.h"

namespace tivora::engine {
namespace {

constexpr QByteArrayView kSignature = "TVMOVIE 1";
constexpr QByteArrayView kBodySeparator = "--";

// Every carriage return at a line's end goes, not just one: a value cannot end in one, so what
// is parsed is exactly what serialize() writes back.
QByteArray withoutCarriageReturn(QByteArray line) {
    while (line.endsWith('\r'))
        line.chop(1);
    return line;
}

} // namespace

QByteArray MovieFile::property(const QByteArray& name, const QByteArray& fallback) const {
    const auto found = properties.find(name);
    return found == properties.end() ? fallback : found->second;
}

std::optional<MovieFile> MovieFile::parse(const QByteArray& bytes) {
    qsizetype position = 0;
    auto nextLine = [&]() -> std::optional<QByteArray> {
        if (position >= bytes.size())
            return std::nullopt;
        qsizetype end = bytes.indexOf('\n', position);
        if (end < 0)
            end = bytes.size();
        QByteArray line = withoutCarriageReturn(bytes.mid(position, end - position));
        position = end + 1;
        return line;
    };

    if (nextLine() != kSignature)
        return std::nullopt;
    MovieFile movie;
    while (const auto line = nextLine()) {
        if (*line == kBodySeparator) {
            movie.body = bytes.mid(std::min(position, bytes.size()));
            break;
        }
        const qsizetype equals = line->indexOf('=');
        if (equals <= 0)
            return std::nullopt;
        movie.properties[line->left(equals)] = line->mid(equals + 1);
    }
    movie.kind = movie.property("kind");
    if (movie.kind.isEmpty())
        return std::nullopt;
    return movie;
}

QByteArray MovieFile::serialize() const {
    QByteArray bytes = kSignature.toByteArray() + '\n';
    bytes += "kind=" + kind + '\n';
    for (const auto& [name, value] : properties) {
        if (name != "kind")
            bytes += name + '=' + value + '\n';
    }
    bytes += kBodySeparator.toByteArray() + '\n';
    bytes += body;
    return bytes;
}

} // namespace tivora::engine
