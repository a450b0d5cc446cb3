#include "controls/MessageBox.h"

#include <utility>

#include <QAbstractButton>

namespace {

MessageBox::Answerer& answererSlot()
{
    static MessageBox::Answerer answerer;
    return answerer;
}

} // namespace

QMessageBox::StandardButton MessageBox::show(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                                             const QString& text, QMessageBox::StandardButtons buttons)
{
    if (const Answerer& answerer = answererSlot())
        return answerer(Message{icon, caption, text, buttons});
    QMessageBox box(icon, caption, text, buttons, parent);
    // Russian whether or not the toolkit's translations are installed.
    const std::pair<QMessageBox::StandardButton, const char*> russian[] = {
        {QMessageBox::Ok, "OK"}, {QMessageBox::Yes, "Да"}, {QMessageBox::No, "Нет"}, {QMessageBox::Cancel, "Отмена"}};
    for (const auto& [button, label] : russian) {
        if (QAbstractButton* shown = box.button(button))
            shown->setText(QString::fromUtf8(label));
    }
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void MessageBox::setAnswerer(Answerer answerer)
{
    answererSlot() = std::move(answerer);
}
