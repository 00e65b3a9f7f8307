#pragma once

#include <QByteArray>
#include <QStringView>
#include <optional>

namespace tivora::excel {

// The bytes of the stream named name (any letter case) in a compound file (the container of
// legacy Office documents), or nothing when there is no such stream or the container is damaged.
// Every sector chain is followed at most once around, so a crafted file cannot loop.
std::optional<QByteArray> compoundFileStream(QByteArrayView file, QStringView name);

} // namespace tivora::excel
