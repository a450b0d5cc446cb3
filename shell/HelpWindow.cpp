#include "shell/HelpWindow.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "controls/HelpTopics.h"
#include "shell/Pictures.h"
#include "shell/ProductInfo.h"

namespace {

QString missingPageText(const QString& page)
{
    return QStringLiteral("<html><body><h2>Раздел справки не найден</h2>"
                          "<p>В справке программы нет раздела «%1».</p>"
                          "<p><a href=\"%2\">Перейти к содержанию справки</a></p></body></html>")
        .arg(page.toHtmlEscaped(), helpPageOfTopic(QLatin1String(MainHelpTopic)));
}

} // namespace

bool helpPageExists(const QString& page)
{
    return !page.isEmpty() && !page.contains(u'/') && QFile::exists(QLatin1String(HelpPagesFolder) + page);
}

HelpWindow::HelpWindow()
    : bnContents(new QPushButton(QStringLiteral("Содержание"), this)),
      bnBack(new QPushButton(QStringLiteral("Назад"), this)), bnForward(new QPushButton(QStringLiteral("Вперёд"), this)),
      browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Справка — %1").arg(QString::fromUtf8(ProductName)));
    setWindowIcon(picture(QStringLiteral("forveta"), QSize(64, 64)));
    // Help left open does not keep the program running once the main window is closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    bnContents->setObjectName(QStringLiteral("bnContents"));
    bnBack->setObjectName(QStringLiteral("bnBack"));
    bnForward->setObjectName(QStringLiteral("bnForward"));
    browser->setObjectName(QStringLiteral("browser"));
    browser->setSearchPaths({QLatin1String(HelpPagesFolder)});
    browser->setOpenLinks(false);
    bnBack->setEnabled(false);
    bnForward->setEnabled(false);

    connect(bnContents, &QPushButton::clicked, this,
            [this] { showPage(helpPageOfTopic(QLatin1String(MainHelpTopic))); });
    connect(bnBack, &QPushButton::clicked, browser, &QTextBrowser::backward);
    connect(bnForward, &QPushButton::clicked, browser, &QTextBrowser::forward);
    connect(browser, &QTextBrowser::backwardAvailable, bnBack, &QPushButton::setEnabled);
    connect(browser, &QTextBrowser::forwardAvailable, bnForward, &QPushButton::setEnabled);
    connect(browser, &QTextBrowser::anchorClicked, this, &HelpWindow::followLink);
    connect(browser, &QTextBrowser::sourceChanged, this, [this](const QUrl& source) {
        if (!source.isEmpty())
            shownPage_ = source.path();
    });

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(6);
    buttons->addWidget(bnContents);
    buttons->addWidget(bnBack);
    buttons->addWidget(bnForward);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    layout->addLayout(buttons);
    layout->addWidget(browser, 1);
    resize(820, 620);
}

void HelpWindow::showPage(const QString& page)
{
    if (helpPageExists(page)) {
        browser->setSource(QUrl(page));
    } else {
        // Not in the history: back leads to the page the user came from.
        browser->setHtml(missingPageText(page));
    }
    shownPage_ = page;
    bringUp();
}

void HelpWindow::followLink(const QUrl& link)
{
    showPage(link.path());
}

void HelpWindow::bringUp()
{
    // Asked for from a modal dialog, the window must be modal itself to be usable; otherwise it
    // stays beside the main window while the user goes on working.
    const QWidget* modal = QApplication::activeModalWidget();
    const Qt::WindowModality modality = modal && modal != this ? Qt::ApplicationModal : Qt::NonModal;
    if (modality != windowModality()) {
        hide();
        setWindowModality(modality);
    }
    if (!isVisible())
        showMaximized();
    raise();
    activateWindow();
}
