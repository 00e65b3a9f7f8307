#pragma once

#include <QString>

namespace tivora {

struct GraphDocument;
class MoviePlayer;

// The sample on the left of the series and slice option dialogs: the option preview file is
// written for one series or slice and the sample movie, which reads it, is loaded afresh.
class OptionSample {
public:
    // player is the dialog's own player widget.
    explicit OptionSample(MoviePlayer& player);

    // A new showing of the dialog: a file that cannot be written is reported again, once.
    void startShowing() { m_failureReported = false; }
    // Writes Data/Slice.dat for series or slice row of type and reloads Data/Slice.swf. A file
    // that cannot be written is reported once per showing, not at every step of a bar being
    // dragged; the sample then shows what the file held before.
    void ShowPreview(const GraphDocument& document, const QString& type, int row);

private:
    MoviePlayer& m_player;
    bool m_failureReported = false;
};

} // namespace tivora
