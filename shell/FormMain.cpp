#include "shell/FormMain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSessionManager>
#include <QShortcut>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include "controls/CountryChooser.h"
#include "controls/DeclModified.h"
#include "controls/FlashButton.h"
#include "controls/HelpPromptCall.h"
#include "controls/HelpTopics.h"
#include "controls/HelpViewer.h"
#include "controls/MessageBox.h"
#include "model/DocumentStorage.h"
#include "model/StorageErrors.h"
#include "pages/deductions/FrameDeductData.h"
#include "pages/income/BusinessNew.h"
#include "pages/income/CurrencyFrame.h"
#include "pages/income/InitialData.h"
#include "pages/income/KudaTratit.h"
#include "pages/income/PersonNaim.h"
#include "pages/income/Sourse.h"
#include "shell/AboutBox.h"
#include "shell/CommandLine.h"
#include "shell/DeclarationFileDialogs.h"
#include "shell/DeclarationFileName.h"
#include "shell/HelpBinding.h"
#include "shell/HelpPrompt.h"
#include "shell/InspectionChooser.h"
#include "shell/InspectionDirectory.h"
#include "shell/NewDeclaration.h"
#include "shell/Pictures.h"
#include "shell/PrintDialogs.h"
#include "shell/PrintProgram.h"
#include "shell/ProgramSettings.h"
#include "shell/ReferenceFiles.h"

namespace {

const QString ProductName = QStringLiteral("Форвета");
const QString BadFileText = QStringLiteral("Неправильный формат файла декларации, возможно он поврежден.");

// The model's messages break their lines with carriage returns; a message box wants line feeds.
QString storageFailureText(const mEPrivBase& error)
{
    return QString::fromUtf8(error.what()).replace(u'\r', u'\n');
}
const QString SavePrompt = QStringLiteral("Вы хотите сохранить декларацию?");
const QString OverwritePrompt = QStringLiteral("Файл с таким названием существует. Перезаписать его?");
const QString EarlierYearOverwritePrompt =
    QStringLiteral("Вы открывали файл, созданный в ПО прошлых лет. Сохранить его можно только в новом формате, "
                   "однако файл в новом формате с таким названием уже существует Перезаписать его?");
const QString ChangedFilePrompt =
    QStringLiteral("Файл %1 изменен другой программой или другим окном после того, как был открыт или сохранен "
                   "в этом окне.\nЗаменить его декларацией из этого окна? То, что было записано в файл "
                   "другой программой, будет потеряно.\nЕсли ответить «Нет», файл останется как есть, а "
                   "декларация в этом окне не будет сохранена.");
const QString ExtensionMessage = QStringLiteral("Не пытайтесь поменять расширение файла");
const QString ExtensionNotSavedMessage = QStringLiteral("Не пытайтесь поменять расширение файла. Данные НЕ сохранены");

constexpr QSize InitialSize(1014, 693);
constexpr QSize SmallestSize(750, 550);
constexpr int SectionColumnWidth = 188;
constexpr QSize SectionButtonSize(185, 71);
// The glyph, two lines of caption and a margin.
constexpr int SectionButtonLeastHeight = 56;
constexpr QSize SectionGlyphSize(32, 32);
constexpr QSize BarGlyphSize(24, 24);
constexpr QSize BarButtonWithLabels(80, 47);
constexpr QSize BarButtonWithoutLabels(35, 35);
const QColor SectionColumnColor(0xE4, 0xE9, 0xF1);
const QColor SectionColumnEdge(0xB4, 0xBE, 0xCD);

template <typename Page>
TThinkingFrame* makePage(QWidget* container, DeclarationSlot& declaration)
{
    return new Page(container, declaration);
}

} // namespace

const std::array<TFormMain::Section, 7>& TFormMain::sections()
{
    static const std::array<Section, 7> table{{
        {&TFormMain::fbInitialData, "fbInitialData", QStringLiteral("Задание условий"),
         QStringLiteral("Выбор режима ввода"), QStringLiteral("TfrInitialData"), makePage<TfrInitialData>,
         "conditions"},
        {&TFormMain::fbPrsonInfo, "fbPrsonInfo", QStringLiteral("Сведения о декларанте"),
         QStringLiteral("Персональные данные налогоплательщика"), QStringLiteral("TfrPersonNaim"),
         makePage<TfrPersonNaim>, "person"},
        {&TFormMain::fbRussianIncome, "fbRussianIncome", QStringLiteral("Доходы, полученные в РФ"),
         QStringLiteral("Доходы, полученные от налоговых агентов или иных источников, в т.ч. физлиц"),
         QStringLiteral("TfrSourse"), makePage<TfrSourse>, "income-russia"},
        {&TFormMain::fbForeignIncome, "fbForeignIncome", QStringLiteral("Доходы за пределами РФ"),
         QStringLiteral("Доходы, полученные в иностранной валюте"), QStringLiteral("TfrCurrency"),
         makePage<TfrCurrency>, "income-foreign"},
        {&TFormMain::fbBusinessIncome, "fbBusinessIncome", QStringLiteral("Предприниматели"),
         QStringLiteral("Доходы, полученные от предпринимательской деятельности без образования юридического "
                        "лица и частной практики"),
         QStringLiteral("TfrBusinessNew"), makePage<TfrBusinessNew>, "business"},
        {&TFormMain::fbDeduction, "fbDeduction", QStringLiteral("Вычеты"),
         QStringLiteral("Стандартные, социальные и имущественный налоговые вычеты"),
         QStringLiteral("TfrFrameDeductData"), makePage<TfrFrameDeductData>, "deductions"},
        {&TFormMain::fbKudaTratit, "fbKudaTratit", QStringLiteral("Зачет/возврат налога"),
         QStringLiteral("Данные для зачисления возврата налога"), QStringLiteral("TfrKudaTratit"),
         makePage<TfrKudaTratit>, "refund"},
    }};
    return table;
}

TFormMain::TFormMain(const QStringList& arguments, const QString& programFolder)
    : programFolder_(programFolder), fileDialogs_(std::make_unique<QtDeclarationFileDialogs>()),
      printServers_(&configuredPrintProgram), printDialogs_(std::make_unique<QtPrintDialogs>())
{
    setWindowIcon(picture(QStringLiteral("forveta"), QSize(64, 64)));
    setContextMenuPolicy(Qt::NoContextMenu);
    createActions();
    createMenu();
    createButtonBar();
    createPageArea();
    createSections();

    const ProgramSettings settings;
    miStdToolbar->setChecked(settings.showStdToolbar());
    miTextLabels->setChecked(settings.textLabels());
    applyStdToolbar(miStdToolbar->isChecked());
    applyTextLabels(miTextLabels->isChecked());

    setMinimumSize(SmallestSize);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, InitialSize, screen->availableGeometry()));
    else
        resize(InitialSize);

    setDeclModifiedReceiver(this);
    setProgramContext(this);

    openCommandLineFile(arguments);
    updateCaption();

    references_ = loadReferenceDirectories(programFolder_, nullptr);
    if (references_.countries)
        FCountryChooser = new TfmGrazhd(this, *references_.countries);
    if (references_.inspections)
        FInspectionChooser = new TfmInputInspectionNumber(this, *references_.inspections);

    pages_ = std::make_unique<TPageHost>(PnlFormContainer, FDeclaration);
    showFirstPage();
    FSaved = true;

    help_ = bindHelpViewer();
    setHelpPromptShower(&execHelpPrompt);
    connectHelpCommands();
    updateSectionButtons();

    // The end of the user's session may close the program: a changed declaration is offered for
    // saving first, and cancelling keeps the session going.
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
        if (isSaved() || !manager.allowsInteraction())
            return;
        const bool mayEnd = mayEndSession();
        manager.release();
        if (!mayEnd)
            manager.cancel();
    });
}

TFormMain::~TFormMain()
{
    // Pages hold the declaration slot: they go first.
    pages_.reset();
    ProgramSettings().setWindowPlacement(isMaximized(), frameGeometry());
    if (programContext() == this)
        setProgramContext(nullptr);
    if (declModifiedReceiver() == this)
        setDeclModifiedReceiver(nullptr);
}

void TFormMain::createActions()
{
    const auto makeAction = [this](const QString& caption, const char* pictureName) {
        auto* action = new QAction(caption, this);
        if (pictureName)
            action->setIcon(QIcon(picture(QLatin1String(pictureName), BarGlyphSize)));
        action->setIconVisibleInMenu(true);
        return action;
    };
    CreateDoc = makeAction(QStringLiteral("&Создать"), "new");
    OpenDoc = makeAction(QStringLiteral("&Открыть"), "open");
    SaveDoc = makeAction(QStringLiteral("Со&хранить"), "save");
    SaveAsDoc = makeAction(QStringLiteral("Сохранить &как..."), nullptr);
    PreviewDoc = makeAction(QStringLiteral("Про&смотр"), "preview");
    PrintDoc = makeAction(QStringLiteral("&Печать"), "print");
    ExportDoc = makeAction(QStringLiteral("&Экспорт в xml"), "export");
    CheckDoc = makeAction(QStringLiteral("Про&верить"), "check");
    About = makeAction(QStringLiteral("&О программе"), nullptr);
    Help = makeAction(QStringLiteral("&Справка"), nullptr);
    Quit = makeAction(QStringLiteral("В&ыход"), nullptr);

    // The desktop's usual keys, spelt out so that every desktop gets the same ones.
    CreateDoc->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    OpenDoc->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    SaveDoc->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    SaveAsDoc->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    // F1 itself opens the topic of the page being worked on (ShowHelp); the menu item shows the
    // key and takes it only while its menu is open.
    Help->setShortcut(QKeySequence(Qt::Key_F1));
    Help->setShortcutContext(Qt::WidgetShortcut);

    connect(CreateDoc, &QAction::triggered, this, &TFormMain::CreateDocExecute);
    connect(OpenDoc, &QAction::triggered, this, &TFormMain::OpenDocExecute);
    connect(SaveDoc, &QAction::triggered, this, &TFormMain::SaveDocExecute);
    connect(SaveAsDoc, &QAction::triggered, this, &TFormMain::SaveAsDocExecute);
    connect(ExportDoc, &QAction::triggered, this, &TFormMain::ExportDocExecute);
    connect(CheckDoc, &QAction::triggered, this, &TFormMain::CheckDocExecute);
    connect(PreviewDoc, &QAction::triggered, this, &TFormMain::PreviewDocExecute);
    connect(PrintDoc, &QAction::triggered, this, &TFormMain::PrintDocExecute);
    connect(Quit, &QAction::triggered, this, &QWidget::close);

    miStdToolbar = new QAction(QStringLiteral("&Стандартная панель"), this);
    miStdToolbar->setCheckable(true);
    connect(miStdToolbar, &QAction::triggered, this, &TFormMain::N16Click);
    miTextLabels = new QAction(QStringLiteral("&Подписи под кнопками"), this);
    miTextLabels->setCheckable(true);
    connect(miTextLabels, &QAction::triggered, this, &TFormMain::N17Click);
    miPrintProgram = new QAction(QStringLiteral("Программа пе&чати..."), this);
    connect(miPrintProgram, &QAction::triggered, this, &TFormMain::ChoosePrintProgram);
}

void TFormMain::createMenu()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&Файл"));
    file->addActions({CreateDoc, OpenDoc, SaveDoc, SaveAsDoc});
    file->addSeparator();
    file->addAction(Quit);

    QMenu* declarationMenu = menuBar()->addMenu(QStringLiteral("&Декларация"));
    declarationMenu->addActions({PreviewDoc, PrintDoc, ExportDoc, CheckDoc});

    QMenu* options = menuBar()->addMenu(QStringLiteral("&Настройки"));
    options->addActions({miStdToolbar, miTextLabels});
    options->addSeparator();
    options->addAction(miPrintProgram);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Справка"));
    help->addAction(Help);
    help->addSeparator();
    help->addAction(About);
}

void TFormMain::createButtonBar()
{
    CoolBarButtons = new QToolBar(this);
    CoolBarButtons->setObjectName(QStringLiteral("CoolBarButtons"));
    CoolBarButtons->setMovable(false);
    CoolBarButtons->setFloatable(false);
    CoolBarButtons->toggleViewAction()->setVisible(false);
    // Flat, in the colour of the buttons, so that an idle button shows no box of its own.
    CoolBarButtons->setStyleSheet(QStringLiteral(
        "QToolBar { background: palette(button); border: none; border-bottom: 1px solid palette(mid);"
        " padding: 2px; spacing: 3px; }"));
    addToolBar(Qt::TopToolBarArea, CoolBarButtons);

    const auto makeButton = [this](QAction* action, const char* objectName) {
        auto* button = new TFlashButton(CoolBarButtons);
        button->setObjectName(QLatin1String(objectName));
        button->setGlyphLayout(TFlashButton::GlyphLayout::GlyphTop);
        button->setSpacing(2);
        // The bar's commands are in the menu with their keys; Tab walks the sections and the page.
        button->setFocusPolicy(Qt::NoFocus);
        button->setAction(action);
        CoolBarButtons->addWidget(button);
        return button;
    };
    fbCreate = makeButton(CreateDoc, "fbCreate");
    fbOpen = makeButton(OpenDoc, "fbOpen");
    fbSave = makeButton(SaveDoc, "fbSave");
    CoolBarButtons->addSeparator();
    fbView = makeButton(PreviewDoc, "fbView");
    fbPrint = makeButton(PrintDoc, "fbPrint");
    CoolBarButtons->addSeparator();
    fbExsport = makeButton(ExportDoc, "fbExsport");
    fbCheck = makeButton(CheckDoc, "fbCheck");
}

void TFormMain::createPageArea()
{
    auto* content = new QWidget(this);

    const auto strip = [content](int width, const QColor& color) {
        auto* frame = new QFrame(content);
        frame->setFixedWidth(width);
        frame->setAutoFillBackground(true);
        QPalette palette = frame->palette();
        palette.setColor(QPalette::Window, color);
        frame->setPalette(palette);
        return frame;
    };
    QFrame* bevel = strip(5, SectionColumnColor);
    PnlSelectGroup = strip(SectionColumnWidth, SectionColumnColor);
    PnlSelectGroup->setObjectName(QStringLiteral("PnlSelectGroup"));
    QFrame* columnEdge = strip(1, SectionColumnEdge);

    // The section column stays in place whatever the page does, and scrolls on its own when the
    // window is too low for all its buttons.
    auto* sectionScroller = new QScrollArea(content);
    sectionScroller->setFrameShape(QFrame::NoFrame);
    sectionScroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sectionScroller->setWidgetResizable(true);
    sectionScroller->setWidget(PnlSelectGroup);
    sectionScroller->setFixedWidth(SectionColumnWidth);
    // The scroll bar goes beside the buttons, never over them.
    QScrollBar* sectionBar = sectionScroller->verticalScrollBar();
    connect(sectionBar, &QScrollBar::rangeChanged, sectionScroller, [sectionScroller, sectionBar](int, int maximum) {
        sectionScroller->setFixedWidth(SectionColumnWidth + (maximum > 0 ? sectionBar->sizeHint().width() : 0));
    });

    PnlFormContainer = new QFrame;
    PnlFormContainer->setObjectName(QStringLiteral("PnlFormContainer"));
    // A page larger than the window scrolls; the section column does not scroll with it.
    auto* pageScroller = new QScrollArea(content);
    pageScroller->setFrameShape(QFrame::NoFrame);
    pageScroller->setWidgetResizable(true);
    pageScroller->setWidget(PnlFormContainer);

    // Tab goes from the section shown straight into its page and back: neither scroller is a stop
    // of its own, and each still scrolls to the control that takes the focus.
    for (QScrollArea* scroller : {sectionScroller, pageScroller})
        scroller->setFocusPolicy(Qt::NoFocus);

    auto* layout = new QHBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bevel);
    layout->addWidget(sectionScroller);
    layout->addWidget(columnEdge);
    layout->addWidget(pageScroller, 1);
    setCentralWidget(content);
}

void TFormMain::createSections()
{
    auto* column = new QVBoxLayout(PnlSelectGroup);
    column->setContentsMargins(1, 4, 2, 4);
    column->setSpacing(2);
    for (const Section& section : sections()) {
        auto* button = new TFlashButton(PnlSelectGroup);
        button->setObjectName(QLatin1String(section.objectName));
        button->setFixedWidth(SectionButtonSize.width());
        // A low window takes some height off each button rather than hide the last ones.
        button->setMinimumHeight(SectionButtonLeastHeight);
        button->setMaximumHeight(SectionButtonSize.height());
        button->setFieldNormalColor(SectionColumnColor);
        button->setGlyphLayout(TFlashButton::GlyphLayout::GlyphTop);
        button->setGlyph(picture(QLatin1String(section.picture), SectionGlyphSize));
        button->setCaption(section.caption);
        button->setToolTip(section.hint);
        button->setGroupIndex(1);
        connect(button, &TFlashButton::clicked, this, [this, &section] { sectionClicked(section); });
        this->*section.button = button;
        column->addWidget(button);
    }
    // The buttons keep to the top of a tall column.
    column->setAlignment(Qt::AlignTop);

    // As the pages of a tab widget: the next and the previous section that may be opened.
    new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageDown), this, this, [this] { switchSectionBy(1); });
    new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageUp), this, this, [this] { switchSectionBy(-1); });
}

void TFormMain::switchSectionBy(int step)
{
    const auto& all = sections();
    const int count = static_cast<int>(all.size());
    int at = 0;
    while (at < count && this->*all[at].button != FCurrentButton)
        ++at;
    for (int tried = 1; tried < count; ++tried) {
        TFlashButton* button = this->*all[((at + step * tried) % count + count) % count].button;
        if (button->isEnabled()) {
            button->click();
            return;
        }
    }
}

void TFormMain::applyStdToolbar(bool show)
{
    CoolBarButtons->setVisible(show);
}

void TFormMain::applyTextLabels(bool show)
{
    const std::pair<TFlashButton*, QString> labels[] = {
        {fbCreate, QStringLiteral("Создать")},   {fbOpen, QStringLiteral("Открыть")},
        {fbSave, QStringLiteral("Сохранить")},   {fbView, QStringLiteral("Просмотр")},
        {fbPrint, QStringLiteral("Печать")},     {fbExsport, QStringLiteral("Файл xml")},
        {fbCheck, QStringLiteral("Проверить")},
    };
    for (const auto& [button, label] : labels) {
        button->setCaption(show ? label : QString());
        button->setFixedSize(show ? BarButtonWithLabels : BarButtonWithoutLabels);
    }
}

void TFormMain::N16Click()
{
    // The choice applies to this run even when it cannot be stored.
    ProgramSettings().setShowStdToolbar(miStdToolbar->isChecked());
    applyStdToolbar(miStdToolbar->isChecked());
}

void TFormMain::N17Click()
{
    ProgramSettings().setTextLabels(miTextLabels->isChecked());
    applyTextLabels(miTextLabels->isChecked());
}

void TFormMain::openCommandLineFile(const QStringList& arguments)
{
    if (const QString name = declarationFileArgument(arguments); !name.isEmpty()) {
        if (auto loaded = loadDeclaration(name, fileIdentity_)) {
            FDeclaration = std::move(loaded);
            FFileName = QFileInfo(name).absoluteFilePath();
            return;
        }
    }
    FFileName.clear();
    fileIdentity_.reset();
    FDeclaration = newDeclaration();
}

std::unique_ptr<mTDeclaration> TFormMain::loadDeclaration(const QString& fileName,
                                                          std::optional<FileIdentity>& identity)
{
    // An earlier year's file gives its personal data to a new declaration.
    auto declaration = newDeclaration();
    QString failure;
    try {
        identity = declaration->LoadFromFile(QFile::encodeName(fileName).toStdString());
        return declaration;
    } catch (const mEPrivBase& error) {
        failure = storageFailureText(error);
    } catch (const std::exception&) {
        failure = BadFileText;
    }
    MessageBox::show(this, QMessageBox::Critical, ProductName, failure);
    return nullptr;
}

void TFormMain::setFileDialogs(std::unique_ptr<DeclarationFileDialogs> dialogs)
{
    fileDialogs_ = std::move(dialogs);
}

void TFormMain::showFirstPage()
{
    pages_->show(sections().front().pageName, sections().front().makePage);
    FCurrentButton = fbInitialData;
    fbInitialData->setDown(true);
}

void TFormMain::showDeclaration(std::unique_ptr<mTDeclaration> declaration, const QString& fileName,
                                const std::optional<FileIdentity>& identity)
{
    // The page shown goes without saving into the new declaration; the new page reads it.
    FDeclaration = std::move(declaration);
    FFileName = fileName;
    fileIdentity_ = identity;
    showFirstPage();
    FSaved = true;
    updateCaption();
    updateSectionButtons();
}

void TFormMain::CreateDocExecute()
{
    if (saveChangedDeclaration())
        showDeclaration(newDeclaration(), QString(), std::nullopt);
}

void TFormMain::OpenDocExecute()
{
    const QString fileName = fileDialogs_->chooseFileToOpen(this, FFileName);
    if (fileName.isEmpty() || !saveChangedDeclaration())
        return;
    // Loaded after the prompt, so that a declaration just saved under this name is the one read.
    std::optional<FileIdentity> identity;
    if (auto loaded = loadDeclaration(fileName, identity))
        showDeclaration(std::move(loaded), QFileInfo(fileName).absoluteFilePath(), identity);
}

bool TFormMain::saveChangedDeclaration()
{
    if (FSaved)
        return true;
    switch (MessageBox::show(this, QMessageBox::Question, ProductName, SavePrompt,
                             QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return SaveDocExecute();
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

bool TFormMain::SaveDocExecute()
{
    if (!settleCurrentPage())
        return false;
    if (FFileName.isEmpty())
        return saveUnderNewName();
    // A file of an earlier year is saved in this year's format, under this year's extension;
    // the earlier year's file itself, or another file of the new name, is overwritten only when
    // the user agrees.
    const QString target = withDeclarationExtension(FFileName);
    if (QFileInfo::exists(target)) {
        if (target != FFileName) {
            if (!askToOverwrite(EarlierYearOverwritePrompt))
                return false;
        } else if (!isThisYearsDeclarationFile(target)) {
            if (!askToOverwrite(OverwritePrompt))
                return false;
        }
    }
    return writeDeclaration(target);
}

bool TFormMain::saveUnderNewName()
{
    for (;;) {
        const QString chosen = fileDialogs_->chooseFileToSave(this, QString());
        if (chosen.isEmpty())
            return false;
        if (!hasDeclarationExtension(chosen)) {
            MessageBox::show(this, QMessageBox::NoIcon, ProductName, ExtensionMessage);
            continue;
        }
        if (QFileInfo::exists(chosen) && !askToOverwrite(OverwritePrompt))
            continue;
        return writeDeclaration(chosen);
    }
}

bool TFormMain::SaveAsDocExecute()
{
    if (!settleCurrentPage())
        return false;
    const QString suggested = FFileName.isEmpty() ? QString() : withDeclarationExtension(FFileName);
    const QString chosen = fileDialogs_->chooseFileToSave(this, suggested);
    if (chosen.isEmpty())
        return false;
    if (!hasDeclarationExtension(chosen)) {
        MessageBox::show(this, QMessageBox::NoIcon, ProductName, ExtensionNotSavedMessage);
        return false;
    }
    if (QFileInfo::exists(chosen) && !askToOverwrite(OverwritePrompt))
        return false;
    return writeDeclaration(chosen);
}

bool TFormMain::askToOverwrite(const QString& question)
{
    return MessageBox::show(this, QMessageBox::Question, ProductName, question, QMessageBox::Yes | QMessageBox::No)
           == QMessageBox::Yes;
}

bool TFormMain::settleCurrentPage()
{
    TThinkingFrame* page = pages_->currentPage();
    if (!page)
        return true;
    if (const std::uint16_t code = page->refuseWrongTypedDates()) {
        page->FocusError(code);
        return false;
    }
    page->SaveData();
    return true;
}

bool TFormMain::writeDeclaration(const QString& fileName)
{
    const QString fullName = QFileInfo(fileName).absoluteFilePath();
    const std::string encodedName = QFile::encodeName(fullName).toStdString();
    // Another window or program may have saved this file since; only what this window knows of
    // it is replaced without asking.
    const FileIdentity* known = fullName == FFileName && fileIdentity_ ? &*fileIdentity_ : nullptr;
    mTDeclaration::SavedFile saved;
    for (;;) {
        try {
            saved = FDeclaration->SaveToFile(encodedName, known);
            break;
        } catch (const mEPrivBase& error) {
            if (known && error.Code == mTFileLoader::FileChanged) {
                if (!askToOverwrite(ChangedFilePrompt.arg(QDir::toNativeSeparators(fullName))))
                    return false;
                known = nullptr;
                continue;
            }
            MessageBox::show(this, QMessageBox::Critical, ProductName,
                             QStringLiteral("Декларация не сохранена в файл %1.\n%2")
                                 .arg(QDir::toNativeSeparators(fullName), storageFailureText(error)));
            return false;
        }
    }
    FFileName = fullName;
    fileIdentity_ = saved.identity;
    FSaved = true;
    updateCaption();
    if (!saved.note.empty())
        MessageBox::show(this, QMessageBox::Warning, ProductName,
                         QString::fromStdString(saved.note).replace(u'\r', u'\n'));
    return true;
}

bool TFormMain::mayEndSession()
{
    return saveChangedDeclaration();
}

void TFormMain::closeEvent(QCloseEvent* event)
{
    if (saveChangedDeclaration())
        event->accept();
    else
        event->ignore();
}

void TFormMain::updateCaption()
{
    const QString shownName = FFileName.isEmpty() ? QStringLiteral("Без имени") : QFileInfo(FFileName).fileName();
    setWindowTitle(shownName + QStringLiteral(" - ") + ProductName);
}

void TFormMain::updateSectionButtons()
{
    const mTDeclaration& declaration = *FDeclaration;
    fbRussianIncome->setEnabled(declaration.HasIncomeKind(IncomeKindSources));
    fbForeignIncome->setEnabled(declaration.HasIncomeKind(IncomeKindForeign));
    fbBusinessIncome->setEnabled(declaration.HasIncomeKind(IncomeKindBusiness));
    fbDeduction->setEnabled(declaration.HasDeductionsSection());
    fbKudaTratit->setEnabled(declaration.HasIncomeKind(IncomeKindTrata));
}

std::optional<TaxOfficeChoice> TFormMain::chooseTaxOffice(const QString& code)
{
    if (!FInspectionChooser)
        return std::nullopt;
    FInspectionChooser->SelectByCode(code);
    if (FInspectionChooser->exec() != TfmInputInspectionNumber::Chosen || FInspectionChooser->code().isEmpty())
        return std::nullopt;
    return TaxOfficeChoice{FInspectionChooser->code(), FInspectionChooser->name()};
}

std::optional<QString> TFormMain::taxOfficeName(const QString& code) const
{
    return references_.inspections ? inspectionName(*references_.inspections, code) : std::nullopt;
}

void TFormMain::sectionClicked(const Section& section)
{
    TFlashButton* button = this->*section.button;
    if (pages_->switchTo(section.pageName, section.makePage)) {
        // Also when the click came from the keyboard, which leaves the button as it was.
        button->setDown(true);
        FCurrentButton = button;
    } else {
        // The page refused to be left: its button goes down again, the clicked one up.
        FCurrentButton->setDown(true);
    }
}

bool TFormMain::event(QEvent* event)
{
    if (event->type() == DeclModifiedEvent::EventType) {
        WMDeclModified();
        return true;
    }
    return QMainWindow::event(event);
}

void TFormMain::WMDeclModified()
{
    if (!isPageLoading())
        FSaved = false;
}

void TFormMain::connectHelpCommands()
{
    connect(Help, &QAction::triggered, this, &TFormMain::HelpExecute);
    connect(About, &QAction::triggered, this, &TFormMain::AboutExecute);
    new QShortcut(QKeySequence::HelpContents, this, this, &TFormMain::ShowHelp);
}

void TFormMain::HelpExecute()
{
    openHelpTopic(this, QLatin1String(MainHelpTopic));
}

void TFormMain::ShowHelp()
{
    // F1 opens the topic of the page being worked on; outside the pages, the contents.
    const QWidget* focus = QApplication::focusWidget();
    const QString topic = helpTopicAround(focus && PnlFormContainer->isAncestorOf(focus) ? focus : currentPage());
    openHelpTopic(this, topic.isEmpty() ? QLatin1String(MainHelpTopic) : topic);
}

void TFormMain::AboutExecute()
{
    TfmAbout about(this);
    about.exec();
}
