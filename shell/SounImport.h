#pragma once

#include <functional>

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

// Rebuilds the tax-office directory `targetFile` from the classifier "soun1.dbf" at `sourcePath`
// (see readSounOffices), with the root's `Version` and `Date` ("DD.MM.YYYY"). The old directory
// is replaced only by a whole new one. Throws SounFileError or InspectionDirectoryError.
void ImportSounDbf(const QString& sourcePath, const QString& targetFile, const QString& version, const QString& date);

// The import dialog: explains why an office may be missing from the directory, lets the user
// pick "soun1.dbf" and rebuilds the directory in the program folder. The new directory is read
// at the next start of the program.
class TfmLoadSoun : public QDialog {
    Q_OBJECT

public:
    TfmLoadSoun(QWidget* owner, const QString& programFolder);

    // Picks the classifier: `folder` is where to start; an empty result is a cancel. The
    // toolkit's open dialog unless tests set their own.
    std::function<QString(QWidget* parent, const QString& folder)> chooseSourceFile;

    QLabel* lbHelpLink;
    QLabel* lbDownloadLink;
    QLineEdit* edSoun1;
    QPushButton* Button4; // "..."
    QPushButton* Button1; // "Импорт СОУН"
    QPushButton* BitBtn1; // "OK"

private:
    void Button4Click();
    void Button1Click();

    QString programFolder_;
};
