#include "pages/income/PersonNaim.h"

#include <algorithm>
#include <initializer_list>

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "controls/CheckRun.h"
#include "controls/CountryChooser.h"
#include "controls/DateFieldCheck.h"
#include "controls/DeclModified.h"
#include "controls/DtpPanel.h"
#include "controls/MaskedDocEdit.h"
#include "controls/MaskedEdit.h"
#include "controls/PageWidgets.h"
#include "controls/ProgramContext.h"
#include "export/FieldLimits.h"
#include "model/DayDate.h"
#include "pages/income/DocTypeDialog.h"
#include "pages/income/DocumentSeriesLayout.h"

namespace {

constexpr int CountryCodeLength = 32;
constexpr int CountryNameLength = 70;
constexpr QMargins GroupMargins(8, 4, 8, 6);
constexpr int PictureSize = 32;

const QString SectionTitle = QStringLiteral("Сведения о декларанте");

QString fromModel(const std::string& text)
{
    return QString::fromStdString(text);
}

std::string toModel(const QString& text)
{
    return text.toStdString();
}

// Wide enough for `digits` digits of the edit's font and the caret behind them, with the
// edit's frame and margins.
void fitWidthTo(QLineEdit* edit, int digits)
{
    // The line edit's own width hint is 17 'x' wide; what it adds to them is frame and margins.
    const QFontMetrics metrics = edit->fontMetrics();
    const int frame = edit->sizeHint().width() - 17 * metrics.horizontalAdvance(QLatin1Char('x'));
    edit->setFixedWidth(metrics.horizontalAdvance(QString(digits + 1, QLatin1Char('0'))) + frame);
}

} // namespace

TfrPersonNaim::TfrPersonNaim(QWidget* owner, DeclarationSlot& declaration) : TThinkingFrame(owner, declaration)
{
    setObjectName(QStringLiteral("TfrPersonNaim"));
    // Filling the page from the model is no edit of the user's.
    const PageLoadingScope pageLoading;
    const LoadingScope loading(*this);
    createControls();
    layOutControls();
    connectHandlers();
    showPerson();
}

mTPersonInformation& TfrPersonNaim::person() const
{
    return Declaration->Person;
}

void TfrPersonNaim::createControls()
{
    gbPersonName = createGroupBox(this, "gbPersonName", QStringLiteral("  Ф.И.О."));
    Label1 = createLabel(gbPersonName, "Label1", QStringLiteral("Фамилия"));
    meSurName = createEdit(gbPersonName, "meSurName", edtNone, FieldLimits::NamePart);
    Label2 = createLabel(gbPersonName, "Label2", QStringLiteral("Имя"));
    meName = createEdit(gbPersonName, "meName", edtNone, FieldLimits::NamePart);
    Label3 = createLabel(gbPersonName, "Label3", QStringLiteral("Отчество"));
    mePatronymic = createEdit(gbPersonName, "mePatronymic", edtNone, FieldLimits::NamePart);
    lbINN = createLabel(gbPersonName, "lbINN", QStringLiteral("ИНН"));
    meINN = createEdit(gbPersonName, "meINN", edtDigital, FieldLimits::Inn);
    lbBirthDate = createLabel(gbPersonName, "lbBirthDate", QStringLiteral("Дата рождения"));
    dtBirthDate = new TDtpPanel(gbPersonName);
    dtBirthDate->setObjectName(QStringLiteral("dtBirthDate"));

    gbDoc = createGroupBox(this, "gbDoc", QStringLiteral("  Сведения о документе, удостоверяющем личность"));
    Label4 = createLabel(gbDoc, "Label4", QStringLiteral("Вид документа"));
    pnlDocType = createLabel(gbDoc, "pnlDocType", QString());
    pnlDocType->setTextFormat(Qt::PlainText);
    pnlDocType->setWordWrap(true);
    pnlDocType->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pnlDocType->setMargin(2);
    pnlDocType->setMinimumHeight(meSurName->sizeHint().height());
    bnDocType = createChooserButton(gbDoc, "bnDocType", QStringLiteral("Выбрать вид документа"));
    lbSerial = createLabel(gbDoc, "lbSerial", QStringLiteral("Серия и номер"));
    meSerial = new TMaskedDocEdit(gbDoc);
    meSerial->setObjectName(QStringLiteral("meSerial"));
    meSerial->setEnabled(false);

    Panel1 = new QFrame(gbDoc);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    Image1 = createLabel(Panel1, "Image1", QString());
    Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(PictureSize));
    Image1->setFixedSize(PictureSize, PictureSize);
    Label5 = createLabel(Panel1, "Label5",
                         QStringLiteral("Подсказка: Если вы указали свой ИНН, то поля \"Вид документа\" и \"Серия и "
                                        "номер\" можно не заполнять."));
    Label5->setWordWrap(true);

    gbGr = createGroupBox(this, "gbGr", QStringLiteral("  Данные о гражданстве"));
    lbCitizenship = createLabel(gbGr, "lbCitizenship", QStringLiteral("Код страны"));
    meKodGrazhd = createEdit(gbGr, "meKodGrazhd", edtNone, CountryCodeLength);
    meKodGrazhd->setEnabled(false);
    meCitizenship = createEdit(gbGr, "meCitizenship", edtNone, CountryNameLength);
    meCitizenship->setEnabled(false);
    bnGrazhd = createChooserButton(gbGr, "bnGrazhd", QStringLiteral("Выбрать страну гражданства"));

    GroupBox2 = createGroupBox(this, "GroupBox2", QStringLiteral("Контактный телефон"));
    meHomePhone = createEdit(GroupBox2, "meHomePhone", edtDigital, FieldLimits::Phone);
}

void TfrPersonNaim::layOutControls()
{
    // The captions of all groups stand in one column, so the edits start at one line.
    const std::initializer_list<QLabel*> captions{Label1, Label2, Label3, lbINN, lbBirthDate, Label4, lbSerial,
                                                  lbCitizenship};
    int captionWidth = 0;
    for (const QLabel* caption : captions)
        captionWidth = std::max(captionWidth, caption->sizeHint().width());
    for (QLabel* caption : captions)
        caption->setFixedWidth(captionWidth);

    fitWidthTo(meINN, FieldLimits::Inn);
    fitWidthTo(meSerial, FieldLimits::DocumentSeries);
    fitWidthTo(meKodGrazhd, 4);
    fitWidthTo(meHomePhone, FieldLimits::Phone);
    dtBirthDate->setFixedSize(dtBirthDate->sizeHint());

    auto* name = new QGridLayout(gbPersonName);
    name->setContentsMargins(GroupMargins);
    name->setColumnStretch(1, 1);
    name->addWidget(Label1, 0, 0);
    name->addWidget(meSurName, 0, 1);
    name->addWidget(Label2, 1, 0);
    name->addWidget(meName, 1, 1);
    name->addWidget(Label3, 2, 0);
    name->addWidget(mePatronymic, 2, 1);
    name->addWidget(lbINN, 3, 0);
    name->addWidget(meINN, 3, 1, Qt::AlignLeft);
    name->addWidget(lbBirthDate, 4, 0);
    name->addWidget(dtBirthDate, 4, 1, Qt::AlignLeft);

    auto* hint = new QHBoxLayout(Panel1);
    hint->setContentsMargins(6, 4, 6, 4);
    hint->setSpacing(8);
    hint->addWidget(Image1, 0, Qt::AlignTop);
    hint->addWidget(Label5, 1);

    auto* document = new QGridLayout(gbDoc);
    document->setContentsMargins(GroupMargins);
    document->setColumnStretch(1, 1);
    document->addWidget(Label4, 0, 0);
    document->addWidget(pnlDocType, 0, 1);
    document->addWidget(bnDocType, 0, 2, Qt::AlignTop);
    document->addWidget(lbSerial, 1, 0);
    document->addWidget(meSerial, 1, 1, Qt::AlignLeft);
    document->addWidget(Panel1, 2, 0, 1, 3);

    auto* citizenship = new QHBoxLayout(gbGr);
    citizenship->setContentsMargins(GroupMargins);
    citizenship->addWidget(lbCitizenship);
    citizenship->addWidget(meKodGrazhd);
    citizenship->addWidget(meCitizenship, 1);
    citizenship->addWidget(bnGrazhd);

    auto* phone = new QHBoxLayout(GroupBox2);
    phone->setContentsMargins(GroupMargins);
    phone->addWidget(meHomePhone);
    phone->addStretch();

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(4, 2, 4, 2);
    page->addWidget(gbPersonName);
    page->addWidget(gbDoc);
    page->addWidget(gbGr);
    page->addWidget(GroupBox2);
    page->addStretch();
}

void TfrPersonNaim::connectHandlers()
{
    connect(bnDocType, &QPushButton::clicked, this, &TfrPersonNaim::bnDocTypeClick);
    connect(bnGrazhd, &QPushButton::clicked, this, &TfrPersonNaim::bnGrazhdClick);
    connect(dtBirthDate, &TDtpPanel::changed, this, &TfrPersonNaim::dtBirthDateChange);
}

void TfrPersonNaim::showPerson()
{
    const mTPersonInformation& shown = person();
    meSurName->setText(fromModel(shown.Name.SurName));
    meName->setText(fromModel(shown.Name.FirstName));
    mePatronymic->setText(fromModel(shown.Name.Patronymic));
    meINN->setText(fromModel(shown.Name.INN));
    meHomePhone->setText(fromModel(shown.HomePhone.Number));

    docCode_ = shown.Document.DocKind;
    pnlDocType->setText(fromModel(shown.Document.DocKindName));
    // The series is shown whatever the kind, so that saving never loses it.
    meSerial->setText(fromModel(shown.Document.DocSeriesNumber));
    meSerial->setEditType(documentSeriesLayout(docCode_));
    meSerial->setEnabled(docCode_ != 0 || !pnlDocType->text().isEmpty());

    dtBirthDate->setDateTime(shown.Document.BirthDate);
    dtBirthDate->setMaxDate(today());
    meCitizenship->setText(fromModel(shown.Foreigner.CountryName));
    meKodGrazhd->setText(fromModel(shown.Foreigner.CountryCode));
    bnGrazhd->setEnabled(programContext() && programContext()->countryChooser());
}

void TfrPersonNaim::SaveData()
{
    mTPersonInformation& saved = person();
    saved.Name.SurName = toModel(meSurName->text());
    saved.Name.FirstName = toModel(meName->text());
    saved.Name.Patronymic = toModel(mePatronymic->text());
    saved.Name.INN = toModel(meINN->text());
    saved.Document.DocKind = docCode_;
    saved.Document.DocKindName = toModel(pnlDocType->text());
    saved.Document.DocSeriesNumber = toModel(meSerial->text());
    saved.Document.BirthDate = dtBirthDate->dateTime();
    saved.HomePhone.Number = toModel(meHomePhone->text());
    saved.Foreigner.CountryName = toModel(meCitizenship->text());
    saved.Foreigner.CountryCode = toModel(meKodGrazhd->text());
}

std::uint16_t TfrPersonNaim::refuseWrongTypedDates()
{
    return checkTypedDates(this, SectionTitle, {{BirthDate, dtBirthDate, lbBirthDate->text()}});
}

std::uint16_t TfrPersonNaim::CheckData()
{
    if (const std::uint16_t date = refuseWrongTypedDates())
        return date;
    CheckRun run(this, SectionTitle);
    for (const PersonFailure& failure : personFailures(*Declaration))
        run.report(failure.message, failure.element);
    return run.result();
}

void TfrPersonNaim::FocusError(std::uint16_t code)
{
    focusElement(code, {{SurName, meSurName},
                        {FirstName, meName},
                        {Patronymic, mePatronymic},
                        {Inn, meINN},
                        {DocumentKind, bnDocType},
                        {DocumentSeries, meSerial},
                        {BirthDate, dtBirthDate}});
    if (code == DocumentKind)
        bnDocType->click();
}

void TfrPersonNaim::bnDocTypeClick()
{
    TfmDocType picker(this, docCode_);
    if (picker.exec() != TfmDocType::Chosen || !picker.hasChoice())
        return;
    const std::uint16_t code = picker.chosenCode();
    const QString name = picker.chosenName();
    if (code == docCode_ && name == pnlDocType->text())
        return;
    declarationModified();
    const bool otherKind = code != docCode_;
    docCode_ = code;
    pnlDocType->setText(name);
    // The same kind under its current name keeps its series and number.
    if (otherKind) {
        meSerial->setText(QString());
        meSerial->setEditType(documentSeriesLayout(code));
    }
    meSerial->setEnabled(true);
}

void TfrPersonNaim::bnGrazhdClick()
{
    TfmGrazhd* chooser = programContext() ? programContext()->countryChooser() : nullptr;
    if (!chooser)
        return;
    chooser->SelectByCode(meKodGrazhd->text());
    chooser->SetMode(TfmGrazhd::NoCitizenship);
    if (chooser->exec() != TfmGrazhd::Chosen || chooser->FCode() == meKodGrazhd->text())
        return;
    meKodGrazhd->setText(chooser->FCode());
    meCitizenship->setText(chooser->FName());
    declarationModified();
}

void TfrPersonNaim::dtBirthDateChange()
{
    declarationModified();
}
