#include "controls/MessageBox.h"

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
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void MessageBox::setAnswerer(Answerer answerer)
{
    answererSlot() = std::move(answerer);
}
