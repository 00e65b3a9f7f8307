#pragma once

#include <QSettings>
#include <QString>
#include <memory>
#include <optional>

namespace tivora {

// The user's own settings store, where the designer keeps what it remembers between runs.
struct UserStore {
    // None while the store is refused (see problem).
    std::unique_ptr<QSettings> settings;
    // Why the store is not used this time: one of its files is no ordinary file (a pipe, which
    // reading would wait on for ever, a folder or a device).
    std::optional<QString> problem;
};

// Opens the store unless one of the files it would read is no ordinary file.
UserStore openUserStore();

} // namespace tivora
