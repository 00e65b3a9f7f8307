#include "editing/bound_page.h"

#include "controls/clock.h"
#include "controls/dialogs.h"
#include "controls/num_edit.h"
#include "document/text_field_check.h"

#include <QScopedValueRollback>

namespace tivora {

BoundPage::BoundPage(GraphDocumentModel& model, QWidget* parent)
    : EditorPage(parent)
    , m_model(model) {
    connect(&m_model, &GraphDocumentModel::changed, this, &BoundPage::reload);
}

void BoundPage::edit(const std::function<void(GraphDocument&)>& change, const void* mergeKey) {
    if (!m_loading)
        m_model.edit(change, mergeKey);
}

void BoundPage::refresh() {
    edit([](GraphDocument&) {});
}

void BoundPage::reload() {
    const QScopedValueRollback guard(m_loading, true);
    for (const auto& loader : m_loaders)
        loader(m_model.document());
}

void BoundPage::addLoader(std::function<void(const GraphDocument&)> loader) {
    m_loaders.push_back(std::move(loader));
}

bool BoundPage::acceptText(QWidget* field, const QString& fieldName, const QString& text) {
    const auto refusal = checkEncodedText(fieldName, text);
    if (!refusal)
        return true;
    appDialogs().showMessage(*refusal);
    field->setFocus(Qt::OtherFocusReason);
    return false;
}

void BoundPage::setFieldText(QLineEdit* field, const QString& text) {
    // Setting an equal text would still move the cursor of the field being typed in.
    if (field->text() != text)
        field->setText(text);
}

void BoundPage::onTypingPause(QLineEdit* field, std::function<void(const QString&)> commit) {
    if (qobject_cast<TNumEdit*>(field))
        return;
    ClockTimer* pause = appClock().createTimer(field);
    pause->setSingleShot(true);
    pause->setInterval(kTypingPauseMs);
    // textEdited comes from the user only, never from the page showing the graph.
    connect(field, &QLineEdit::textEdited, pause, &ClockTimer::start);
    connect(field, &QLineEdit::editingFinished, pause, &ClockTimer::stop);
    connect(pause, &ClockTimer::timeout, this,
            [field, commit = std::move(commit)] { commit(field->text()); });
}

void BoundPage::onLeaving(QLineEdit* field, std::function<void(const QString&)> commit) {
    if (auto* number = qobject_cast<TNumEdit*>(field)) {
        connect(number, &TNumEdit::exited, this, [number, commit = std::move(commit)] {
            const QString text = number->text();
            const bool formats =
                number->FormatOnExit() && number->PermittedAlpha().isEmpty() && !text.isEmpty();
            commit(formats ? TNumEdit::formatNumber(text, number->DecimalPlaces()) : text);
        });
        return;
    }
    connect(field, &QLineEdit::editingFinished, this,
            [field, commit = std::move(commit)] { commit(field->text()); });
}

} // namespace tivora
