#include "pages/income/InitialData.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStringList>
#include <QVBoxLayout>

#include "controls/CheckRun.h"
#include "controls/DeletionQuestion.h"
#include "controls/HelpPromptCall.h"
#include "controls/HelpTopics.h"
#include "controls/MaskedEdit.h"
#include "controls/PageWidgets.h"
#include "controls/ProgramContext.h"
#include "controls/SideBySideLayout.h"
#include "controls/VisualTabOrder.h"
#include "export/FieldLimits.h"
#include "pages/income/ConditionsRules.h"

namespace {

constexpr int CodeEditWidth = 60;
constexpr int OktmoEditWidth = 110;
constexpr int CorrectionMaximum = 999;

const QString TypeChangeMessage =
    QStringLiteral("Изменение типа декларации повлечет удаление данных о доходах и вычетах. Определиться с типом "
                   "заполняемой декларации следует в самом начале работы с программой.");
const QString TypeChangeTopic = QLatin1String(ConditionsHelpTopic);

std::size_t sourceRecordCount(const mTDeclaration& declaration)
{
    return declaration.SourceCount() + declaration.OldThirteenPercent.count() + declaration.OldThirteenPercentNR.count()
           + declaration.OldThirtyFivePercent.count() + declaration.OldThirtyPercent.count()
           + declaration.OldNinePercent.count();
}

std::size_t incomeLineCount(const mTDeclaration& declaration)
{
    std::size_t lines = 0;
    for (const auto& source : declaration.Sources)
        lines += source->Income13Count() + source->Income15Count() + source->Income99Count();
    return lines;
}

// What switching the kind off deletes, or an empty text when it deletes nothing.
QString recordsOfKind(const mTDeclaration& declaration, std::uint8_t kind)
{
    const auto counted = [](const char* what, std::size_t count) {
        return count == 0 ? QString() : QString::fromUtf8(what).arg(count);
    };
    switch (kind) {
    case IncomeKindSources:
        return counted("источники выплаты доходов в РФ со всеми их доходами (источников: %1)",
                       sourceRecordCount(declaration));
    case IncomeKindForeign:
        return counted("доходы в иностранной валюте (источников: %1)", declaration.CurrencyIncomeCount());
    case IncomeKindBusiness:
        return counted("доходы от предпринимательской деятельности (видов деятельности: %1)",
                       declaration.BusinessCount());
    case IncomeKindTrata:
        return counted("заявления о зачете и возврате налога (заявлений: %1)", declaration.TrataCount());
    default:
        return {};
    }
}

// What a change of the declaration's type to `type` deletes.
QStringList recordsOfType(const mTDeclaration& declaration, std::uint8_t type)
{
    QStringList records;
    if (type == DeclarationClosingBusiness) {
        records << recordsOfKind(declaration, IncomeKindSources);
    } else if (const std::size_t lines = incomeLineCount(declaration); lines > 0) {
        records << QStringLiteral("все доходы источников выплаты в РФ (строк: %1); сами источники останутся").arg(lines);
    }
    if (type != DeclarationOrdinary)
        records << recordsOfKind(declaration, IncomeKindForeign);
    return records;
}

// Empties every source's income lines; the sources themselves stay.
void deleteIncomeLines(mTDeclaration& declaration)
{
    for (const auto& source : declaration.Sources) {
        source->Incomes13.clear();
        source->Incomes15.clear();
        source->Incomes99.clear();
    }
}

// The caption of a check box, set beside it so that it can wrap: a click on it ticks the box
// as a click on the box's own caption would, and it greys with the box.
class WrappedCaption : public QLabel {
public:
    WrappedCaption(QCheckBox* box, QWidget* parent) : QLabel(box->text(), parent), box_(box)
    {
        setObjectName(box->objectName() + QStringLiteral("Caption"));
        setWordWrap(true);
        setBuddy(box);
        setEnabled(box->isEnabled());
        box->setAccessibleName(box->text());
        box->setText(QString());
        box->installEventFilter(this);
    }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            box_->click();
        QLabel::mouseReleaseEvent(event);
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == box_ && event->type() == QEvent::EnabledChange)
            setEnabled(box_->isEnabled());
        return QLabel::eventFilter(watched, event);
    }

private:
    QCheckBox* box_;
};

// The box in the first column, its caption in the second; more lines may follow under the caption.
QGridLayout* wrappedCheckBox(QCheckBox* box)
{
    auto* layout = new QGridLayout;
    layout->setHorizontalSpacing(4);
    layout->setVerticalSpacing(2);
    layout->setColumnStretch(1, 1);
    layout->addWidget(box, 0, 0, Qt::AlignTop);
    layout->addWidget(new WrappedCaption(box, box->parentWidget()), 0, 1);
    return layout;
}

} // namespace

TfrInitialData::TfrInitialData(QWidget* owner, DeclarationSlot& declaration) : TThinkingFrame(owner, declaration)
{
    setObjectName(QStringLiteral("TfrInitialData"));
    createControls();
    layOutControls();
    connectHandlers();

    const LoadingScope loading(*this);
    loadFromModel();
}

void TfrInitialData::createControls()
{
    gbInspectionNumber = createGroupBox(this, "gbInspectionNumber", QStringLiteral("  Общая информация"));
    lbInspection = createLabel(gbInspectionNumber, "lbInspection", QStringLiteral("Номер инспекции"));
    meInspection = createEdit(gbInspectionNumber, "meInspection", edtDigital, FieldLimits::TaxOfficeCode);
    meInspection->setFixedWidth(CodeEditWidth);
    bnInspection =
        createChooserButton(gbInspectionNumber, "bnInspection", QStringLiteral("Выбрать код из справочника"));
    Label3 = createLabel(gbInspectionNumber, "Label3", QStringLiteral("Номер корректировки"));
    meNumVer = new QSpinBox(gbInspectionNumber);
    meNumVer->setObjectName(QStringLiteral("meNumVer"));
    meNumVer->setRange(0, CorrectionMaximum);
    meNumVer->setFixedWidth(CodeEditWidth);
    lbOKTMO = createLabel(gbInspectionNumber, "lbOKTMO", QStringLiteral("ОКТМО"));
    meOKATO = createEdit(gbInspectionNumber, "meOKATO", edtDigital, FieldLimits::Oktmo);
    meOKATO->setFixedWidth(OktmoEditWidth);

    gb34 = createGroupBox(this, "gb34", QStringLiteral("  Тип декларации"));
    Panel1 = new QFrame(gb34);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    rbSimple = createRadio(Panel1, "rbSimple", QStringLiteral("3-НДФЛ"));
    rbNeRez = createRadio(Panel1, "rbNeRez", QStringLiteral("3-НДФЛ нерезидента"));
    rbNextYear = createRadio(Panel1, "rbNextYear", QStringLiteral("3-НДФЛ при завершении деятельности ИП"));
    Button1 = new QPushButton(QStringLiteral("Сменить тип"), gb34);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setToolTip(QStringLiteral("Сделать доступным изменение типа декларации"));

    gbPersKind = createGroupBox(this, "gbPersKind", QStringLiteral("  Признак налогоплательщика"));
    rbPredp = createRadio(gbPersKind, "rbPredp", QStringLiteral("Индивидуальный предприниматель"));
    rbFermer = createRadio(gbPersKind, "rbFermer", QStringLiteral("Глава фермерского хозяйства"));
    rbNotarius = createRadio(gbPersKind, "rbNotarius", QStringLiteral("Частный нотариус"));
    rbAdvokat = createRadio(gbPersKind, "rbAdvokat", QStringLiteral("Адвокат"));
    rbFLProch = createRadio(gbPersKind, "rbFLProch", QStringLiteral("Иное физическое лицо"));
    rbArbitr = createRadio(gbPersKind, "rbArbitr", QStringLiteral("Арбитражный управляющий"));

    gbIncome = createGroupBox(this, "gbIncome", QStringLiteral("  Имеются доходы"));
    chbIncomeInquiry = createCheckBox(gbIncome, "chbIncomeInquiry",
                                      QStringLiteral("Учитываемые \"справками о доходах физического лица\", доходы "
                                                     "по договорам"));
    lbIncomeComment = createLabel(gbIncome, "lbIncomeComment",
                                  QStringLiteral("гр.-правового характера, авторским вознаграждениям, от продажи "
                                                 "имущества и др."));
    chbIncomeCurrency = createCheckBox(gbIncome, "chbIncomeCurrency", QStringLiteral("В иностранной валюте"));
    chbIncomeBusiness =
        createCheckBox(gbIncome, "chbIncomeBusiness", QStringLiteral("От предпринимательской деятельности"));

    gbBank = createGroupBox(this, "gbBank", QStringLiteral("  Данные заявления"));
    chbKudaTratit = createCheckBox(gbBank, "chbKudaTratit",
                                   QStringLiteral("Сформировать заявление о возврате и/или зачете налога в рамках "
                                                  "декларации"));

    gbGrantigType = createGroupBox(this, "gbGrantigType", QStringLiteral("  Достоверность подтверждается"));
    rbGiveSelf = createRadio(gbGrantigType, "rbGiveSelf", QStringLiteral("Лично"));
    rbGiveTrustFase = createRadio(gbGrantigType, "rbGiveTrustFase", QStringLiteral("Представителем - ФЛ"));
    lbFIO = createLabel(gbGrantigType, "lbFIO", QStringLiteral("ФИО"));
    meFIO = createEdit(gbGrantigType, "meFIO", edtNone, FieldLimits::RepresentativeName);
    lbOsn = createLabel(gbGrantigType, "lbOsn", QStringLiteral("Документ"));
    meOsn = createEdit(gbGrantigType, "meOsn", edtNone, FieldLimits::AuthorityDocument);
}

void TfrInitialData::layOutControls()
{
    auto* general = new QGridLayout(gbInspectionNumber);
    general->setColumnStretch(2, 1);
    general->addWidget(lbInspection, 0, 0);
    auto* office = new QHBoxLayout;
    office->setSpacing(2);
    office->addWidget(meInspection);
    office->addWidget(bnInspection);
    office->addStretch();
    general->addLayout(office, 0, 1, 1, 2);
    general->addWidget(Label3, 1, 0);
    general->addWidget(meNumVer, 1, 1);
    general->addWidget(lbOKTMO, 2, 0);
    general->addWidget(meOKATO, 2, 1, 1, 2, Qt::AlignLeft);

    auto* types = new QVBoxLayout(Panel1);
    types->setContentsMargins(0, 0, 0, 0);
    for (QRadioButton* type : {rbSimple, rbNeRez, rbNextYear})
        types->addWidget(type);
    auto* typeGroup = new QVBoxLayout(gb34);
    typeGroup->addWidget(Panel1);
    typeGroup->addWidget(Button1, 0, Qt::AlignLeft);

    // Two columns of three: three side by side leave no room in a small window.
    auto* kinds = new QGridLayout(gbPersKind);
    kinds->setHorizontalSpacing(24);
    kinds->setColumnStretch(2, 1);
    int place = 0;
    for (QRadioButton* kind : {rbPredp, rbFermer, rbNotarius, rbAdvokat, rbFLProch, rbArbitr}) {
        kinds->addWidget(kind, place % 3, place / 3);
        ++place;
    }

    // The long captions wrap in a narrow window; the rest of the first box's sentence stands
    // under its caption.
    auto* incomes = new QVBoxLayout(gbIncome);
    incomes->setSpacing(2);
    QGridLayout* inquiry = wrappedCheckBox(chbIncomeInquiry);
    lbIncomeComment->setWordWrap(true);
    inquiry->addWidget(lbIncomeComment, 1, 1);
    incomes->addLayout(inquiry);
    incomes->addWidget(chbIncomeCurrency);
    incomes->addWidget(chbIncomeBusiness);

    auto* application = new QVBoxLayout(gbBank);
    application->addLayout(wrappedCheckBox(chbKudaTratit));

    auto* signer = new QGridLayout(gbGrantigType);
    auto* who = new QHBoxLayout;
    who->setSpacing(24);
    who->addWidget(rbGiveSelf);
    who->addWidget(rbGiveTrustFase);
    who->addStretch();
    signer->addLayout(who, 0, 0, 1, 2);
    signer->addWidget(lbFIO, 1, 0);
    signer->addWidget(meFIO, 1, 1);
    signer->addWidget(lbOsn, 2, 0);
    signer->addWidget(meOsn, 2, 1);

    // Side by side where the page is wide enough, else one under the other.
    auto* top = new SideBySideLayout(6);
    top->addWidget(gbInspectionNumber);
    top->addWidget(gb34);
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(6, 6, 6, 6);
    page->addLayout(top);
    page->addWidget(gbPersKind);
    page->addWidget(gbIncome);
    page->addWidget(gbBank);
    page->addWidget(gbGrantigType);
    page->addStretch();
    // The declaration's type stands beside the general information in a wide window and under
    // it in a narrow one: Tab goes as the controls stand, not as they were made.
    keepTabInVisualOrder(this);
}

void TfrInitialData::connectHandlers()
{
    const auto onIncomeBox = [this](QCheckBox* box, std::uint8_t kind) {
        connect(box, &QCheckBox::toggled, this, [this, box, kind] { incomeBoxClicked(box, kind); });
    };
    onIncomeBox(chbIncomeInquiry, IncomeKindSources);
    onIncomeBox(chbIncomeCurrency, IncomeKindForeign);
    onIncomeBox(chbIncomeBusiness, IncomeKindBusiness);
    onIncomeBox(chbKudaTratit, IncomeKindTrata);

    const auto onType = [this](QRadioButton* button, std::uint8_t type) {
        connect(button, &QRadioButton::toggled, this, [this, type](bool chosen) {
            if (chosen)
                typeClicked(type);
        });
    };
    onType(rbSimple, DeclarationOrdinary);
    onType(rbNeRez, DeclarationNonResident);
    onType(rbNextYear, DeclarationClosingBusiness);

    for (QRadioButton* kind : {rbPredp, rbFermer, rbNotarius, rbAdvokat, rbFLProch, rbArbitr})
        connect(kind, &QRadioButton::toggled, this, [this](bool chosen) {
            if (chosen)
                declarationModified();
        });
    connect(rbGiveSelf, &QRadioButton::toggled, this, &TfrInitialData::signerChanged);
    connect(meNumVer, &QSpinBox::valueChanged, this, [this] { declarationModified(); });
    connect(meInspection, &TMaskedEdit::textChanged, this, [this] {
        if (!isLoading())
            inspectionCodeChanged();
    });
    connect(bnInspection, &QPushButton::clicked, this, &TfrInitialData::bnInspectionClick);
    connect(Button1, &QPushButton::clicked, this, &TfrInitialData::Button1Click);
}

void TfrInitialData::loadFromModel()
{
    const mTDeclaration& declaration = *Declaration;
    meInspection->setText(QString::fromStdString(declaration.TaxOfficeCode));
    taxOfficeName_ = QString::fromStdString(declaration.TaxOfficeName);
    meNumVer->setValue(declaration.CorrectionNumber);
    meOKATO->setText(QString::fromStdString(declaration.Person.Address.OKTMO));

    (declaration.Signer == 0 ? rbGiveSelf : rbGiveTrustFase)->setChecked(true);
    signerChanged();
    meOsn->setText(QString::fromStdString(declaration.RepresentativeDocument));
    meFIO->setText(QString::fromStdString(declaration.RepresentativeName));

    const std::pair<std::uint8_t, QRadioButton*> categories[] = {
        {0, rbPredp}, {1, rbFermer}, {2, rbNotarius}, {3, rbAdvokat}, {5, rbFLProch}, {6, rbArbitr}};
    for (const auto& [category, button] : categories) {
        if (declaration.TaxpayerCategory == category)
            button->setChecked(true);
    }

    chbIncomeInquiry->setChecked(declaration.HasIncomeKind(IncomeKindSources));
    chbIncomeCurrency->setChecked(declaration.HasIncomeKind(IncomeKindForeign));
    chbKudaTratit->setChecked(declaration.HasIncomeKind(IncomeKindTrata));
    chbIncomeBusiness->setChecked(declaration.HasIncomeKind(IncomeKindBusiness));

    const ProgramContext* context = programContext();
    bnInspection->setEnabled(context && context->hasTaxOffices());

    if (QRadioButton* type = typeRadio(declaration.DeclarationType))
        type->setChecked(true);
    applyType(declaration.DeclarationType);
    Panel1->setEnabled(false);
}

QRadioButton* TfrInitialData::typeRadio(std::uint8_t type) const
{
    switch (type) {
    case DeclarationOrdinary:
        return rbSimple;
    case DeclarationNonResident:
        return rbNeRez;
    case DeclarationClosingBusiness:
        return rbNextYear;
    default:
        return nullptr;
    }
}

std::uint8_t TfrInitialData::checkedIncomeKinds() const
{
    std::uint8_t kinds = 0;
    const std::pair<const QCheckBox*, IncomeKind> boxes[] = {{chbIncomeInquiry, IncomeKindSources},
                                                            {chbIncomeCurrency, IncomeKindForeign},
                                                            {chbIncomeBusiness, IncomeKindBusiness},
                                                            {chbKudaTratit, IncomeKindTrata}};
    for (const auto& [box, kind] : boxes) {
        if (box->isChecked())
            kinds |= kind;
    }
    return kinds;
}

void TfrInitialData::kindsChanged()
{
    if (ProgramContext* context = programContext())
        context->declarationKindsChanged();
}

void TfrInitialData::incomeBoxClicked(QCheckBox* box, std::uint8_t kind)
{
    if (isLoading())
        return;
    mTDeclaration& declaration = *Declaration;
    if (!box->isChecked()) {
        const QString records = recordsOfKind(declaration, kind);
        if (!userAgreesToDelete(this, {records})) {
            const LoadingScope keeping(*this);
            box->setChecked(true);
            return;
        }
    }
    declaration.SetIncomeKinds(checkedIncomeKinds());
    declarationModified();
    kindsChanged();
}

void TfrInitialData::typeClicked(std::uint8_t type)
{
    mTDeclaration& declaration = *Declaration;
    if (isLoading() || type == declaration.DeclarationType) {
        applyType(type);
        return;
    }
    const QStringList records = recordsOfType(declaration, type);
    if (!userAgreesToDelete(this, records)) {
        const LoadingScope keeping(*this);
        typeRadio(declaration.DeclarationType)->setChecked(true);
        return;
    }

    declaration.DeclarationType = type;
    std::uint8_t kinds = declaration.IncomeKinds();
    if (type == DeclarationClosingBusiness)
        kinds = (kinds & ~(IncomeKindSources | IncomeKindForeign)) | IncomeKindBusiness;
    else
        deleteIncomeLines(declaration);
    if (type == DeclarationNonResident)
        kinds &= ~IncomeKindForeign;
    declaration.SetIncomeKinds(kinds);
    {
        const LoadingScope showing(*this);
        chbIncomeInquiry->setChecked(declaration.HasIncomeKind(IncomeKindSources));
        chbIncomeCurrency->setChecked(declaration.HasIncomeKind(IncomeKindForeign));
        chbIncomeBusiness->setChecked(declaration.HasIncomeKind(IncomeKindBusiness));
        applyType(type);
    }
    Panel1->setEnabled(false);
    declarationModified();
    kindsChanged();
}

void TfrInitialData::applyType(std::uint8_t type)
{
    const bool closing = type == DeclarationClosingBusiness;
    chbIncomeInquiry->setEnabled(!closing);
    lbIncomeComment->setEnabled(!closing);
    chbIncomeCurrency->setEnabled(type == DeclarationOrdinary);
    chbIncomeBusiness->setEnabled(true);
    chbKudaTratit->setEnabled(true);
    rbFermer->setEnabled(true);
    rbArbitr->setEnabled(true);
    // Closing a business is an entrepreneur's declaration.
    rbFLProch->setEnabled(!closing);
    if (closing && rbFLProch->isChecked())
        rbPredp->setChecked(true);
}

void TfrInitialData::signerChanged()
{
    const bool representative = !rbGiveSelf->isChecked();
    for (QWidget* control : std::initializer_list<QWidget*>{lbFIO, meFIO, lbOsn, meOsn})
        control->setEnabled(representative);
    declarationModified();
}

void TfrInitialData::SaveData()
{
    mTDeclaration& declaration = *Declaration;
    declaration.TaxOfficeCode = meInspection->text().toStdString();
    declaration.TaxOfficeName = taxOfficeName_.toStdString();
    declaration.Person.Address.OKTMO = meOKATO->text().toStdString();
    declaration.Signer = rbGiveSelf->isChecked() ? 0 : 1;
    const std::pair<const QRadioButton*, std::uint8_t> categories[] = {
        {rbFermer, 1}, {rbPredp, 0}, {rbNotarius, 2}, {rbAdvokat, 3}, {rbArbitr, 6}, {rbFLProch, 5}};
    for (const auto& [button, category] : categories) {
        if (button->isChecked()) {
            declaration.TaxpayerCategory = category;
            break;
        }
    }
    declaration.RepresentativeDocument = meOsn->isEnabled() ? meOsn->text().toStdString() : std::string();
    declaration.RepresentativeName = meFIO->isEnabled() ? meFIO->text().toStdString() : std::string();
    declaration.CorrectionNumber = meNumVer->value();
}

std::uint16_t TfrInitialData::CheckData()
{
    const mTDeclaration& declaration = *Declaration;
    CheckRun run(this, QStringLiteral("Задание условий"));
    for (const ConditionsFailure& failure : headerFailures(declaration))
        run.report(failure.message, failure.element);
    if (residenceOktmoMalformed(declaration) && !run.isOver()) {
        run.dialog().SetTitle(QStringLiteral("Сведения о декларанте"));
        run.report(QStringLiteral("Код ОКТМО должен содержать 8 или 11 символов"), ConditionsOktmo);
    }
    return run.result();
}

void TfrInitialData::FocusError(std::uint16_t code)
{
    focusElement(code, {{ConditionsTaxOffice, meInspection},
                        {ConditionsIncomeKinds, chbIncomeInquiry},
                        {ConditionsRepresentativeName, meFIO},
                        {ConditionsAuthorityDocument, meOsn},
                        {ConditionsOktmo, meOKATO}});
    if (code == ConditionsTaxOffice && bnInspection->isEnabled())
        bnInspectionClick();
}

void TfrInitialData::bnInspectionClick()
{
    ProgramContext* context = programContext();
    if (!context)
        return;
    const auto chosen = context->chooseTaxOffice(meInspection->text());
    if (!chosen)
        return;
    const bool renamed = chosen->name != taxOfficeName_;
    if (chosen->code != meInspection->text()) {
        // The new text tells of the change.
        meInspection->setText(chosen->code);
    } else if (renamed) {
        // Choosing the office already shown names it, as a declaration saved without its name needs.
        declarationModified();
    }
    taxOfficeName_ = chosen->name;
}

void TfrInitialData::inspectionCodeChanged()
{
    // Another office's name never stays beside the new code.
    const ProgramContext* context = programContext();
    const std::optional<QString> name = context ? context->taxOfficeName(meInspection->text()) : std::nullopt;
    taxOfficeName_ = name.value_or(QString());
}

void TfrInitialData::Button1Click()
{
    showHelpPrompt(this, TypeChangeMessage, TypeChangeTopic);
    Panel1->setEnabled(true);
}
