#include "shell/HelpPrompt.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "controls/HelpTopics.h"
#include "shell/ProductInfo.h"

namespace {

constexpr QSize ClientSize(542, 154);
constexpr int PanelHeight = 112;
constexpr QSize PictureSize(39, 40);
constexpr QSize MessageSize(449, 69);
constexpr QSize LinkSize(349, 17);
constexpr int CloseResult = 1;

const QString LinkText = QStringLiteral("Открыть файл Справки");

} // namespace

TfmHelp::TfmHelp(QWidget* owner)
    : QDialog(owner), Panel1(new QFrame(this)), Image1(new QLabel(Panel1)), lbMessage(new QLabel(Panel1)),
      lbLink(new QLabel(Panel1)), bnOk(new QPushButton(QStringLiteral("Закрыть"), this))
{
    setObjectName(QStringLiteral("TfmHelp"));
    setWindowTitle(QString::fromUtf8(ProductName));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(ClientSize);

    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(PanelHeight);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(2);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(PictureSize);
    Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(PictureSize));
    lbMessage->setObjectName(QStringLiteral("lbMessage"));
    lbMessage->setFixedSize(MessageSize);
    lbMessage->setAlignment(Qt::AlignCenter);
    lbMessage->setWordWrap(true);
    lbMessage->setTextFormat(Qt::PlainText);
    lbLink->setObjectName(QStringLiteral("lbLink"));
    lbLink->setFixedSize(LinkSize);
    lbLink->setAlignment(Qt::AlignCenter);
    lbLink->setTextFormat(Qt::RichText);
    lbLink->hide();
    if (isHelpAvailable()) {
        lbLink->setText(QStringLiteral("<a href=\"help\">%1</a>").arg(LinkText));
        connect(lbLink, &QLabel::linkActivated, this, [this] { openHelpTopic(this, Topic); });
    } else {
        lbLink->setText(LinkText);
        lbLink->setEnabled(false);
        lbLink->setToolTip(helpUnavailableText());
    }
    bnOk->setObjectName(QStringLiteral("bnOk"));
    bnOk->setDefault(true);
    connect(bnOk, &QPushButton::clicked, this, [this] { done(CloseResult); });

    auto* text = new QVBoxLayout;
    text->setSpacing(4);
    text->addWidget(lbMessage, 0, Qt::AlignHCenter);
    text->addWidget(lbLink, 0, Qt::AlignHCenter);
    text->addStretch();
    auto* panelLayout = new QHBoxLayout(Panel1);
    panelLayout->setContentsMargins(10, 10, 10, 6);
    panelLayout->setSpacing(12);
    panelLayout->addWidget(Image1, 0, Qt::AlignTop);
    panelLayout->addLayout(text, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 8);
    layout->setSpacing(8);
    layout->addWidget(Panel1);
    layout->addWidget(bnOk, 0, Qt::AlignHCenter);
}

void TfmHelp::SetMessage(const QString& text)
{
    lbMessage->setText(text);
}

void TfmHelp::ShowLink(bool value)
{
    lbLink->setVisible(value);
}

void TfmHelp::reject()
{
    done(CloseResult);
}

void execHelpPrompt(QWidget* owner, const QString& message, const QString& topic)
{
    TfmHelp prompt(owner);
    prompt.SetMessage(message);
    prompt.Topic = topic;
    prompt.ShowLink(!topic.isEmpty());
    prompt.exec();
}
