#include "editing/option_sample.h"

#include "controls/dialogs.h"
#include "controls/movie_player.h"
#include "document/program_folder.h"
#include "document/slice_file.h"

using namespace Qt::StringLiterals;

namespace tivora {

OptionSample::OptionSample(MoviePlayer& player)
    : m_player(player) {}

void OptionSample::ShowPreview(const GraphDocument& document, const QString& type, int row) {
    const QString path = programDataPath(u"Slice.dat"_s);
    if (const auto failure = WriteSliceFile(document, type, row, path)) {
        if (!m_failureReported)
            appDialogs().showError(u"File I/O error."_s, path + u": "_s + *failure);
        m_failureReported = true;
    }
    m_player.reload(programDataPath(u"Slice.swf"_s));
}

} // namespace tivora
