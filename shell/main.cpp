#include <memory>

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "controls/RadioGroupTabbing.h"
#include "model/SaveSignals.h"
#include "shell/FormMain.h"
#include "shell/StartWindow.h"

int main(int argc, char* argv[])
{
    // A request to end the program while a file is being written waits until the file is whole,
    // and a file-size limit fails the save instead of ending the program with the user's work.
    deferTerminationDuringSaves();
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("ORVEX"));
    QApplication::setApplicationName(QStringLiteral("Форвета"));
    installRadioGroupTabbing(application);

    // The standard buttons and dialogs of the toolkit speak Russian like the rest of the program.
    QTranslator toolkitTexts;
    if (toolkitTexts.load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&toolkitTexts);

    auto splash = std::make_unique<TfmStart>();
    splash->show();
    splash->repaint();
    QApplication::processEvents();

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    TFormMain formMain(arguments, QApplication::applicationDirPath() + u'/');

    splash->waitForTimer();
    splash.reset();
    formMain.show();
    return QApplication::exec();
}
