#include "shell/AboutBox.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "controls/MessageBox.h"
#include "shell/Pictures.h"
#include "shell/ProductInfo.h"
#include "shell/WebLinks.h"

namespace {

constexpr QSize BoxSize(460, 232);
constexpr QSize PictureSize(460, 104);
constexpr int ClosedResult = 1;

QString link(const char* address, const QString& shown)
{
    return QStringLiteral("<a href=\"%1\">%2</a>").arg(QLatin1String(address), shown.toHtmlEscaped());
}

QLabel* textLine(QWidget* parent, const char* objectName, const QString& text, Qt::TextFormat format)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(objectName));
    label->setTextFormat(format);
    label->setText(text);
    return label;
}

} // namespace

TfmAbout::TfmAbout(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("TfmAbout"));
    setWindowTitle(QStringLiteral("О программе"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(BoxSize);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(PictureSize);
    Image1->setPixmap(picture(QStringLiteral("splash"), PictureSize));
    Image1->installEventFilter(this);

    // On the picture, whose lower left holds the program's name.
    lbVersion = new QLabel(QStringLiteral("Версия %1").arg(QString::fromUtf8(ProductVersion)), Image1);
    lbVersion->setObjectName(QStringLiteral("lbVersion"));
    lbVersion->setTextFormat(Qt::PlainText);
    lbVersion->setStyleSheet(QStringLiteral("color: white;"));
    lbVersion->adjustSize();
    lbVersion->move(PictureSize.width() - lbVersion->width() - 14, 10);
    lbVersion->setAttribute(Qt::WA_TransparentForMouseEvents);

    lbSupport = textLine(this, "lbSupport",
                         QStringLiteral("По вопросам, связанным с использованием программы обращайтесь в службу "
                                        "поддержки."),
                         Qt::PlainText);
    lbSupport->setWordWrap(true);
    lbFeedback = textLine(this, "lbFeedback",
                          QStringLiteral("Форма обратной связи: ") + link(FeedbackPage, QString::fromUtf8(FeedbackPageShown)),
                          Qt::RichText);
    lbSite = textLine(this, "lbSite",
                      QStringLiteral("Последние версии ПО на сайте ")
                          + link(ProductPage, QString::fromUtf8(ProductPageShown)),
                      Qt::RichText);
    lbOwnership = textLine(this, "lbOwnership", QString::fromUtf8(OwnershipNotice), Qt::PlainText);
    lbTelephone = textLine(this, "lbTelephone", QString::fromUtf8(SupportTelephone), Qt::PlainText);

    connect(lbFeedback, &QLabel::linkActivated, this, [this](const QString& address) {
        if (!openWebLink(QUrl(address)))
            MessageBox::show(this, QMessageBox::Critical, QString::fromUtf8(ProductName),
                             QStringLiteral("Не удалось запустить почтовый клиент"));
    });
    connect(lbSite, &QLabel::linkActivated, this, [this](const QString& address) {
        if (!openWebLink(QUrl(address)))
            MessageBox::show(this, QMessageBox::Critical, QString::fromUtf8(ProductName),
                             QStringLiteral("Не удалось запустить браузер"));
    });

    bnClose = new QPushButton(QStringLiteral("Закрыть"), this);
    bnClose->setObjectName(QStringLiteral("bnClose"));
    bnClose->setDefault(true);
    connect(bnClose, &QPushButton::clicked, this, [this] { done(ClosedResult); });

    auto* lines = new QVBoxLayout;
    lines->setSpacing(0);
    for (QLabel* line : {lbSupport, lbFeedback, lbSite, lbOwnership, lbTelephone})
        lines->addWidget(line);
    auto* below = new QHBoxLayout;
    below->setContentsMargins(10, 4, 10, 8);
    below->setSpacing(10);
    below->addLayout(lines, 1);
    below->addWidget(bnClose, 0, Qt::AlignBottom);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Image1);
    layout->addLayout(below, 1);
}

void TfmAbout::reject()
{
    done(ClosedResult);
}

bool TfmAbout::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Image1 && event->type() == QEvent::MouseButtonRelease) {
        done(ClosedResult);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TfmAbout::keyPressEvent(QKeyEvent* event)
{
    // Esc closes the box when the key is let go.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfmAbout::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && !event->isAutoRepeat()) {
        done(ClosedResult);
        return;
    }
    QDialog::keyReleaseEvent(event);
}

void TfmAbout::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        done(ClosedResult);
        return;
    }
    QDialog::mouseReleaseEvent(event);
}
