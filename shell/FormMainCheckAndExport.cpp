// The main window's whole-declaration check and its export of the exchange file.

#include <exception>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "controls/FlashButton.h"
#include "controls/MessageBox.h"
#include "export/ExchangeFile.h"
#include "model/Trimmed.h"
#include "shell/CheckFailureFocus.h"
#include "shell/DeclarationFileDialogs.h"
#include "shell/FormMain.h"
#include "shell/HelpPrompt.h"
#include "shell/WindowDisabled.h"

namespace {

const QString ProductName = QStringLiteral("Форвета");
const QString CheckPassed = QStringLiteral("Проверка декларации завершена успешно");
const QString CalculationFailed =
    QStringLiteral("Ошибка в расчетах. Пожалуйста, свяжитесь с разработчиками через службу поддержки");
const QString NoInnNotice =
    QStringLiteral("В Вашей декларации не указан ИНН. Для представления ее в электронном виде через сервис «Личный "
                   "кабинет налогоплательщика для физических лиц» необходимо указать ИНН.");
const QString FileNotMade = QStringLiteral("Файл не сформирован, свяжитесь с разработчиками.");
const QString FileNotFound =
    QStringLiteral("Не удалось сохранить файл в указанный каталог. Выберите другой каталог или запускайте программу с "
                   "правами администратора.");

using SectionButton = TFlashButton* TFormMain::*;

// The section button whose page shows what a block of the check checks.
SectionButton checkedSectionButton(std::uint16_t section)
{
    switch (section) {
    case CheckConditions:
        return &TFormMain::fbInitialData;
    case CheckDeclarant:
        return &TFormMain::fbPrsonInfo;
    case CheckIncome13:
    case CheckIncome15:
    case CheckSourceOktmo:
        return &TFormMain::fbRussianIncome;
    case CheckForeign:
        return &TFormMain::fbForeignIncome;
    case CheckBusiness:
        return &TFormMain::fbBusinessIncome;
    case CheckStandard:
    case CheckSocial:
    case CheckSimplifiedProperty:
    case CheckInvestment:
        return &TFormMain::fbDeduction;
    case CheckApplications:
        return &TFormMain::fbKudaTratit;
    default:
        return nullptr;
    }
}

} // namespace

TCheckAllResult TFormMain::CheckAll()
{
    const std::uint8_t kinds = FDeclaration->IncomeKinds();
    const TCheckAllResult result = checkWholeDeclaration(this, *FDeclaration);
    if (FDeclaration->IncomeKinds() != kinds) {
        updateSectionButtons();
        FSaved = false;
    }
    return result;
}

std::uint16_t TFormMain::PrepareAndCheck()
{
    if (!settleCurrentPage())
        return 1;
    TCheckAllResult result;
    try {
        result = CheckAll();
    } catch (const std::exception& error) {
        MessageBox::show(this, QMessageBox::Critical, ProductName,
                         CalculationFailed + u'\n' + QString::fromUtf8(error.what()));
        return 2;
    }
    if (result.Element == 0)
        return 0;
    if (result.Element == CheckCancelled)
        return 2;
    showCheckFailure(result);
    return 1;
}

void TFormMain::showCheckFailure(const TCheckAllResult& failure)
{
    const SectionButton button = checkedSectionButton(failure.Section);
    for (const Section& section : sections()) {
        if (section.button != button)
            continue;
        // The page shown is left without saving or checking: its data was taken just now.
        if (pages_->currentPageName() != section.pageName)
            pages_->show(section.pageName, section.makePage);
        FCurrentButton = this->*button;
        FCurrentButton->setDown(true);
        focusCheckFailure(*pages_->currentPage(), failure);
        return;
    }
}

void TFormMain::CheckDocExecute()
{
    if (PrepareAndCheck() == 0)
        MessageBox::show(this, QMessageBox::Information, ProductName, CheckPassed);
}

void TFormMain::ExportDocExecute()
{
    if (PrepareAndCheck() != 0)
        return;
    if (Trimmed(FDeclaration->Person.Name.INN).empty()) {
        TfmHelp prompt(this);
        prompt.SetMessage(NoInnNotice);
        prompt.ShowLink(false);
        prompt.exec();
    }

    const WindowDisabled disabled(*this);
    QString folder = fileDialogs_->chooseFolder(this, ProductName);
    if (folder.isEmpty())
        return;
    folder = QDir::toNativeSeparators(folder);
    if (!folder.endsWith(QDir::separator()))
        folder += QDir::separator();

    const ExportResult result =
        ExportDeclarationXml(QFile::encodeName(folder).toStdString(), *FDeclaration, ExportMode::File);
    if (!result.ok) {
        MessageBox::show(this, QMessageBox::Critical, ProductName,
                         result.error.empty() ? FileNotMade : QString::fromStdString(result.error));
        return;
    }
    const QString name = QString::fromStdString(result.text);
    if (QFileInfo::exists(folder + name)) {
        MessageBox::show(this, QMessageBox::Information, ProductName,
                         QStringLiteral("Сформирован файл ") + folder + u' ' + name);
    } else {
        MessageBox::show(this, QMessageBox::Critical, ProductName, FileNotFound);
    }
}
