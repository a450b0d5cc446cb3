#include "shell/AboutBox.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/Pictures.h"
#include "shell/ProductInfo.h"

namespace {

constexpr QSize BoxSize(460, 232);
constexpr QSize PictureSize(460, 104);
constexpr int ClosedResult = 1;

QLabel* textLine(QWidget* parent, const char* objectName, const QString& text)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(objectName));
    label->setTextFormat(Qt::PlainText);
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
                         QStringLiteral("По вопросам, связанным с использованием программы, обращайтесь к справке: "
                                        "меню «Справка» или клавиша F1."));
    lbSupport->setWordWrap(true);

    bnClose = new QPushButton(QStringLiteral("Закрыть"), this);
    bnClose->setObjectName(QStringLiteral("bnClose"));
    bnClose->setDefault(true);
    connect(bnClose, &QPushButton::clicked, this, [this] { done(ClosedResult); });

    auto* lines = new QVBoxLayout;
    lines->setSpacing(0);
    lines->addWidget(lbSupport);
    lines->addStretch();
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
