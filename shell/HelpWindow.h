#pragma once

#include <QString>
#include <QWidget>

class QPushButton;
class QTextBrowser;
class QUrl;

// The folder of the program's help pages among its resources.
inline constexpr const char* HelpPagesFolder = ":/help/";

// True when the help has the page ("InitialData.htm").
bool helpPageExists(const QString& page);

// The program's help: its pages in a browser with the contents and the way back and forward.
// One window serves the whole run; asking for a page shows it and brings the window up.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    HelpWindow();

    // Shows `page`; a page the help does not have shows a message saying so, with the way to the
    // contents.
    void showPage(const QString& page);
    // The page shown, as it was asked for.
    const QString& shownPage() const { return shownPage_; }

    QPushButton* bnContents;
    QPushButton* bnBack;
    QPushButton* bnForward;
    QTextBrowser* browser;

private:
    void followLink(const QUrl& link);
    void bringUp();

    QString shownPage_;
};
