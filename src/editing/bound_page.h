#pragma once

#include "controls/grids/string_align_grid.h"
#include "document/graph_document_model.h"
#include "document/text_field_check.h"
#include "editing/captioned_trackbar.h"
#include "editing/colour_panel_label.h"
#include "editing/editor_page.h"
#include "editing/row_move.h"
#include "editing/up_down_field.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <functional>
#include <vector>

namespace tivora {

// How long typing must pause before a text field is written to the graph (and so the preview
// refreshed): short enough to feel live, long enough not to restart the animation per letter.
inline constexpr int kTypingPauseMs = 300;

// An editing page bound to the open graph. Every control is bound to one field of the graph
// through an accessor, a generic lambda `[](auto& d) -> auto& { return d.header.edtHeader; }`
// that serves both for reading and for writing. The page reloads its controls whenever the graph
// changes; while it does, the controls' change signals are ignored, so that showing the graph
// never writes it back.
class BoundPage : public EditorPage {
public:
    explicit BoundPage(GraphDocumentModel& model, QWidget* parent = nullptr);

protected:
    GraphDocumentModel& model() const { return m_model; }
    const GraphDocument& document() const { return m_model.document(); }
    bool loading() const { return m_loading; }

    // Applies change to the graph (which refreshes the preview), unless the page is loading.
    // Consecutive changes from one control (mergeKey) are taken back by one undo.
    void edit(const std::function<void(GraphDocument&)>& change, const void* mergeKey = nullptr);
    // Asks for a preview refresh without changing the graph.
    void refresh();
    // Shows the graph in the controls; call once the page's controls are bound.
    void reload();
    // Runs loader, under the loading guard, on every reload.
    void addLoader(std::function<void(const GraphDocument&)> loader);

    // Shows text in field, leaving a field that already shows it (and its cursor) alone.
    static void setFieldText(QLineEdit* field, const QString& text);

    // A text field written to the graph when it is left and, for a field of words rather than a
    // number, also when the user pauses while typing, so the preview follows the typing.
    template <typename Access>
    void bindText(QLineEdit* field, const QString& fieldName, Access access) {
        addLoader([field, access](const GraphDocument& d) { setFieldText(field, access(d)); });
        onLeaving(field, [this, field, fieldName, access](const QString& text) {
            if (acceptText(field, fieldName, text))
                edit([&](GraphDocument& d) { access(d) = text; }, field);
        });
        onTypingPause(field, [this, field, fieldName, access](const QString& text) {
            // Text the file cannot carry is refused when the field is left, not mid-word.
            if (!checkEncodedText(fieldName, text))
                edit([&](GraphDocument& d) { access(d) = text; }, field);
        });
    }

    // A text field written to the graph at every change of its text. Text that the graph file
    // cannot carry is not written: the refusal shows when the field is left, or at once when the
    // program itself put the text in (a file chosen in a dialog), which no one is typing on.
    template <typename Access>
    void bindLiveText(QLineEdit* field, const QString& fieldName, Access access) {
        addLoader([field, access](const GraphDocument& d) { setFieldText(field, access(d)); });
        QObject::connect(field, &QLineEdit::textChanged, this,
                         [this, field, fieldName, access](const QString& text) {
                             if (!checkEncodedText(fieldName, text))
                                 edit([&](GraphDocument& d) { access(d) = text; }, field);
                             else if (!loading() && !field->isModified())
                                 acceptText(field, fieldName, text);
                         });
        QObject::connect(field, &QLineEdit::editingFinished, this,
                         [this, field, fieldName] { acceptText(field, fieldName, field->text()); });
    }

    // A check box or radio button that sets the field to value (or, without a value, to its own
    // check state) when clicked.
    template <typename Access> void bindCheck(QAbstractButton* box, Access access) {
        addLoader([box, access](const GraphDocument& d) { box->setChecked(access(d)); });
        QObject::connect(box, &QAbstractButton::clicked, this, [this, access](bool checked) {
            edit([&](GraphDocument& d) { access(d) = checked; });
        });
    }
    template <typename Access, typename Value>
    void bindChoice(QAbstractButton* button, Access access, Value value) {
        addLoader([=](const GraphDocument& d) { button->setChecked(access(d) == value); });
        QObject::connect(button, &QAbstractButton::clicked, this, [this, access, value] {
            edit([&](GraphDocument& d) { access(d) = value; });
        });
    }

    // A position bar: its range is the field's, and every move is written at once.
    template <typename Access> void bindTrackbar(CaptionedTrackbar* bar, Access access) {
        const TrackbarPosition& initial = access(document());
        {
            // Taking up the range can move the bar; that is no change to the graph.
            const QSignalBlocker blocker(bar);
            bar->setRange(initial.minimum(), initial.maximum());
        }
        bar->caption()->setNum(bar->value());
        addLoader([bar, access](const GraphDocument& d) { bar->setValue(access(d).position()); });
        QObject::connect(bar, &QSlider::valueChanged, this, [this, bar, access](int position) {
            edit([&](GraphDocument& d) { access(d).setPosition(position); }, bar);
        });
    }

    // A font size: every step of its up-down is written at once.
    template <typename Access> void bindUpDown(UpDownField* field, Access access) {
        addLoader([field, access](const GraphDocument& d) { field->setText(access(d).text()); });
        QObject::connect(field, &UpDownField::stepped, this, [this, field, access](int position) {
            edit([&](GraphDocument& d) { access(d).setPosition(position); }, field);
        });
    }

    // A colour panel picked through its "..." button, the caption hidden, or, without a button,
    // by a click on the panel itself, the caption left to show.
    template <typename Access>
    void bindColour(ColourPanelLabel* panel, QAbstractButton* button, Access access) {
        addLoader([panel, access](const GraphDocument& d) { panel->showPanel(access(d)); });
        const auto pick = [this, panel, access, hide = button != nullptr] {
            if (const auto picked = panel->pick(hide))
                edit([&](GraphDocument& d) { access(d) = *picked; });
        };
        if (button) {
            QObject::connect(button, &QAbstractButton::clicked, this, pick);
        } else {
            panel->setPickedByItself();
            QObject::connect(panel, &ColourPanelLabel::clicked, this, pick);
        }
    }

    // Moves the row selected in grid one place up or down in the graph's part, as one change;
    // move gives false, changing nothing, where the row cannot go, and nothing is refreshed then.
    // The selection stays where a grid's row insert and delete leave it.
    template <typename Part>
    void moveSelectedRow(TStringAlignGrid& grid, Part GraphDocument::*part,
                         bool (*move)(Part&, int, RowMove), RowMove direction) {
        const int row = grid.currentRow();
        Part moved = document().*part;
        if (!move(moved, row, direction))
            return;
        const int column = std::max(grid.currentColumn(), 0);
        edit([&](GraphDocument& d) { d.*part = std::move(moved); });
        grid.setCurrentCell(column, selectionAfterMove(row, direction, grid.grid().rowCount() - 1));
    }

    // Text that the graph file cannot carry is refused with a message; the field keeps the text
    // and the focus so that it can be corrected, and the graph stays as it was.
    bool acceptText(QWidget* field, const QString& fieldName, const QString& text);

private:
    // Calls commit with the field's text once the user has stopped typing in it for a moment;
    // numeric fields are left out, as their text is a number only once it is formatted.
    void onTypingPause(QLineEdit* field, std::function<void(const QString&)> commit);
    // Calls commit with the field's final text whenever the user leaves it (or confirms it with
    // Enter); a numeric edit's text is taken as it formats it on leaving.
    void onLeaving(QLineEdit* field, std::function<void(const QString&)> commit);

    GraphDocumentModel& m_model;
    std::vector<std::function<void(const GraphDocument&)>> m_loaders;
    bool m_loading = false;
};

} // namespace tivora
