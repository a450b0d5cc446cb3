#pragma once

#include <array>
#include <memory>
#include <optional>

#include <QMainWindow>
#include <QString>
#include <QStringList>

#include "controls/PageHost.h"
#include "controls/ProgramContext.h"
#include "controls/ThinkingFrame.h"
#include "model/FileIdentity.h"
#include "shell/DeclarationCheck.h"
#include "shell/PrintServer.h"

class DeclarationFileDialogs;
class HelpViewer;
class PrintDialogs;
class TfmGrazhd;
class TfmInputInspectionNumber;
class QAction;
class QToolBar;
class TFlashButton;

// The program's one long-lived window: it owns the open declaration, shows one input page at a
// time beside the section strip, and carries the menu and the button bar.
class TFormMain : public QMainWindow, public ProgramContext {
    Q_OBJECT

public:
    // `arguments`: the command line without the program itself; `programFolder`: the folder of
    // the reference files, with a trailing '/'.
    TFormMain(const QStringList& arguments, const QString& programFolder);
    ~TFormMain() override;

    mTDeclaration& declaration() const { return *FDeclaration; }
    // The full name of the open declaration's file; empty for one never saved.
    const QString& fileName() const { return FFileName; }
    // True while the declaration has not changed since it was created, opened or saved.
    bool isSaved() const { return FSaved; }
    TThinkingFrame* currentPage() const { return pages_->currentPage(); }
    // Shows the pages in PnlFormContainer.
    TPageHost& pageHost() const { return *pages_; }
    TFlashButton* currentButton() const { return FCurrentButton; }

    // Enables the section buttons that the declaration's income kinds and type call for.
    void updateSectionButtons();

    // The choosers of declaration files; the toolkit's dialogs unless tests set their own.
    void setFileDialogs(std::unique_ptr<DeclarationFileDialogs> dialogs);

    // The declaration commands. New, and Open once its file is chosen, offer to save a changed
    // declaration first; the user's cancelling, or a file that cannot be loaded, leaves the
    // declaration as it was. Save and Save As give false when nothing was saved: the user
    // cancelled, a date typed on the page is to be corrected, or the file could not be written
    // (the user has been told).
    void CreateDocExecute();
    void OpenDocExecute();
    bool SaveDocExecute();
    bool SaveAsDocExecute();

    // The user's session is ending: a changed declaration is offered for saving as on closing
    // the window. False when the user cancelled, and the session is to go on.
    bool mayEndSession();

    // The whole-declaration check; an accepted offer to dispose of the refund switches on the
    // refund and offset section.
    TCheckAllResult CheckAll();
    // What runs before the check command and the export: the current page hands over its data
    // and the whole declaration is checked. 0: it passed; 1: a rule or a date typed on the page
    // is to be corrected and its page is shown; 2: the user cancelled, or the declaration could
    // not be computed (the user has been told).
    std::uint16_t PrepareAndCheck();
    void CheckDocExecute();
    // Writes the exchange file into a folder the user picks, once the declaration passed.
    void ExportDocExecute();

    // The print server of each preview and print (the program of the settings unless tests set
    // their own), and the print dialog and the chooser of that program.
    void setPrintServerSource(PrintServerSource source);
    void setPrintDialogs(std::unique_ptr<PrintDialogs> dialogs);
    enum class PrintMode : std::uint8_t { Preview = 2, Print = 3 };
    // Preview and Print: once the declaration passed the check, the window takes no command
    // until PrintOrPreview is over.
    void PreviewDocExecute();
    void PrintDocExecute();
    // Hands the exchange file to the print server to show it, or to print it on the printer the
    // user picks, once per copy. Every failure is shown to the user; a call the user cancelled
    // ends the command without a word.
    void PrintOrPreview(PrintMode Mode);
    // "Программа печати...": the user picks the program that previews and prints.
    void ChoosePrintProgram();

    QString programFolder() const override { return programFolder_; }
    const ReferenceDirectories& referenceDirectories() const override { return references_; }
    HelpViewer* helpViewer() const override { return help_.get(); }
    TfmGrazhd* countryChooser() const override { return FCountryChooser; }
    bool hasTaxOffices() const override { return FInspectionChooser != nullptr; }
    std::optional<TaxOfficeChoice> chooseTaxOffice(const QString& code) override;
    std::optional<QString> taxOfficeName(const QString& code) const override;
    void declarationKindsChanged() override { updateSectionButtons(); }
    // The one tax-office chooser, built at start from "InspectionNumbers.xml"; nullptr without
    // the directory, and the pages then take the office's code typed.
    TfmInputInspectionNumber* inspectionChooser() const { return FInspectionChooser; }

    // The help's contents (HelpExecute, the menu), the topic of the page being worked on
    // (ShowHelp, F1); the About box.
    void HelpExecute();
    void ShowHelp();
    void AboutExecute();

    // The page panel; every page is made with it as its parent.
    QWidget* PnlFormContainer;
    QWidget* PnlSelectGroup;
    QToolBar* CoolBarButtons;

    // Section strip, one group: exactly one button is down.
    TFlashButton* fbInitialData;
    TFlashButton* fbPrsonInfo;
    TFlashButton* fbRussianIncome;
    TFlashButton* fbForeignIncome;
    TFlashButton* fbBusinessIncome;
    TFlashButton* fbDeduction;
    TFlashButton* fbKudaTratit;

    // Button bar.
    TFlashButton* fbCreate;
    TFlashButton* fbOpen;
    TFlashButton* fbSave;
    TFlashButton* fbView;
    TFlashButton* fbPrint;
    TFlashButton* fbExsport;
    TFlashButton* fbCheck;

    // Commands.
    QAction* CreateDoc;
    QAction* OpenDoc;
    QAction* SaveDoc;
    QAction* SaveAsDoc;
    QAction* PreviewDoc;
    QAction* PrintDoc;
    QAction* ExportDoc;
    QAction* CheckDoc;
    QAction* About;
    QAction* Help;
    QAction* Quit;

    // "Настройки" menu.
    QAction* miStdToolbar;
    QAction* miTextLabels;
    QAction* miPrintProgram;

protected:
    bool event(QEvent* event) override;
    // The close query: a changed declaration is offered for saving first.
    void closeEvent(QCloseEvent* event) override;

private:
    struct Section {
        TFlashButton* TFormMain::*button;
        const char* objectName;
        QString caption;
        QString hint;
        // The page class the section shows; identifies the page for "already shown".
        QString pageName;
        TThinkingFrame* (*makePage)(QWidget* container, DeclarationSlot& declaration);
        const char* picture;
    };
    static const std::array<Section, 7>& sections();

    void createActions();
    void createMenu();
    void createButtonBar();
    void createSections();
    // Opens the section `step` places below (above, when negative) the one shown, skipping the
    // sections that cannot be opened; past the last comes the first.
    void switchSectionBy(int step);
    void createPageArea();

    void applyStdToolbar(bool show);
    void applyTextLabels(bool show);
    void N16Click();
    void N17Click();

    void openCommandLineFile(const QStringList& arguments);
    // The declaration in the file, or nullptr when it cannot be loaded (the user has been told);
    // `identity` tells the file as it was read.
    std::unique_ptr<mTDeclaration> loadDeclaration(const QString& fileName, std::optional<FileIdentity>& identity);
    // Makes `declaration` the open one, unchanged, on the conditions page.
    void showDeclaration(std::unique_ptr<mTDeclaration> declaration, const QString& fileName,
                         const std::optional<FileIdentity>& identity);
    void showFirstPage();
    // The save prompt of New, Open and close: false when the command is to stop.
    bool saveChangedDeclaration();
    bool saveUnderNewName();
    bool askToOverwrite(const QString& question);
    // What every command that reads the declaration does first: the page shown hands over its
    // data. False, with the page on the field to correct, while a date typed there is no date it
    // can take; the command then stops and nothing is read.
    bool settleCurrentPage();
    // Writes the declaration to the file, which becomes its name; the page is settled already.
    // The file this window opened or last saved is overwritten only as this window left it, or
    // when the user agrees to lose what another program wrote there meanwhile.
    bool writeDeclaration(const QString& fileName);
    void updateCaption();
    void sectionClicked(const Section& section);
    // Shows the page of a failed rule of the whole-declaration check, on the element to correct.
    void showCheckFailure(const TCheckAllResult& failure);
    void connectHelpCommands();
    // The receiving tax office's name that the print server puts on the form.
    QString receivingOfficeName() const;
    void WMDeclModified();

    QString programFolder_;
    DeclarationSlot FDeclaration;
    std::unique_ptr<TPageHost> pages_;
    TFlashButton* FCurrentButton = nullptr;
    QString FFileName;
    // FFileName's file as this window read or last wrote it.
    std::optional<FileIdentity> fileIdentity_;
    bool FSaved = true;
    ReferenceDirectories references_;
    std::unique_ptr<HelpViewer> help_;
    // Owned as a child of the window; kept from start to the end of the run.
    TfmGrazhd* FCountryChooser = nullptr;
    TfmInputInspectionNumber* FInspectionChooser = nullptr;
    std::unique_ptr<DeclarationFileDialogs> fileDialogs_;
    PrintServerSource printServers_;
    std::unique_ptr<PrintDialogs> printDialogs_;
};
