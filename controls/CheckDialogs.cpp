#include "controls/CheckDialogs.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

constexpr int ClientWidth = 558;
constexpr int PictureSize = 32;
constexpr int ButtonWidth = 112;

const QString CheckCaption = QStringLiteral("Проверка");

CheckDialog::Answerer& answererSlot()
{
    static CheckDialog::Answerer answerer;
    return answerer;
}

} // namespace

CheckDialog::CheckDialog(QWidget* owner, int clientHeight, int messageHeight)
    : QDialog(owner), Panel1(new QFrame(this)), Image1(new QLabel(Panel1)), lbMessage(new QLabel(Panel1)),
      buttonColumn_(new QVBoxLayout)
{
    setWindowTitle(CheckCaption);
    // A dialog's border: a caption with the close box only, and a fixed size.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(ClientWidth, clientHeight);

    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(PictureSize, PictureSize);
    Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(PictureSize, PictureSize));
    lbMessage->setObjectName(QStringLiteral("lbMessage"));
    lbMessage->setMinimumHeight(messageHeight);
    lbMessage->setAlignment(Qt::AlignCenter);
    lbMessage->setWordWrap(true);
    lbMessage->setTextFormat(Qt::PlainText);

    auto* panelLayout = new QHBoxLayout(Panel1);
    panelLayout->setContentsMargins(12, 12, 12, 12);
    panelLayout->setSpacing(12);
    panelLayout->addWidget(Image1, 0, Qt::AlignTop);
    panelLayout->addWidget(lbMessage, 1);

    buttonColumn_->setSpacing(8);
    buttonColumn_->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    layout->addWidget(Panel1, 1);
    layout->addLayout(buttonColumn_);
}

QPushButton* CheckDialog::addButton(const char* name, const QString& caption, int result)
{
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QLatin1String(name));
    button->setFixedWidth(ButtonWidth);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
    // Above the stretch that keeps the buttons at the top.
    buttonColumn_->insertWidget(buttonColumn_->count() - 1, button);
    if (buttons_.empty())
        button->setDefault(true);
    buttons_.emplace_back(result, button);
    return button;
}

void CheckDialog::setSectionCaption(const QString& section)
{
    setWindowTitle(CheckCaption + QStringLiteral(": ") + section);
}

void CheckDialog::setMessageText(const QString& text)
{
    lbMessage->setText(text);
}

QString CheckDialog::message() const
{
    return lbMessage->text();
}

bool CheckDialog::isAnswerEnabled(int result) const
{
    for (const auto& [buttonResult, button] : buttons_) {
        if (buttonResult == result)
            return button->isEnabled();
    }
    return false;
}

int CheckDialog::exec()
{
    if (const Answerer& answerer = answererSlot()) {
        const int answer = answerer(*this);
        setResult(isAnswerEnabled(answer) ? answer : closedResult());
        return result();
    }
    return QDialog::exec();
}

void CheckDialog::reject()
{
    done(closedResult());
}

void CheckDialog::setAnswerer(Answerer answerer)
{
    answererSlot() = std::move(answerer);
}

TfmCheckError::TfmCheckError(QWidget* owner) : CheckDialog(owner, 154, 83)
{
    setObjectName(QStringLiteral("TfmCheckError"));
    Button1 = addButton("Button1", QStringLiteral("Исправить"), CheckFix);
    Button2 = addButton("Button2", QStringLiteral("Пропустить"), CheckSkip);
    Button3 = addButton("Button3", QStringLiteral("Пропустить все"), CheckSkipAll);
}

void TfmCheckError::SetTitle(const QString& section)
{
    setSectionCaption(section);
}

void TfmCheckError::SetMessage(const QString& text)
{
    setMessageText(text);
}

int TfmCheckError::closedResult() const
{
    return Button2->isEnabled() ? CheckClosed : CheckFix;
}

TfmCheckAllError::TfmCheckAllError(QWidget* owner) : CheckDialog(owner, 159, 88)
{
    setObjectName(QStringLiteral("TfmCheckAllError"));
    Button1 = addButton("Button1", QStringLiteral("Исправить"), CheckFix);
    Button2 = addButton("Button2", QStringLiteral("Отмена"), CheckSkip);
}

void TfmCheckAllError::SetPage(const QString& section)
{
    setSectionCaption(section);
}

void TfmCheckAllError::SetMessage(const QString& text)
{
    setMessageText(text);
}
