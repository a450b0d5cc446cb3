#pragma once

#include <string>
#include <vector>

#include <QDir>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include "controls/DtpPanel.h"
#include "controls/FlashButton.h"
#include "controls/MaskedEdit.h"
#include "model/DayDate.h"
#include "pages/income/InitialData.h"
#include "pages/income/PersonNaim.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/shell/CheckedDeclaration.h"
#include "tests/shell/ExportingWindowTest.h"
#include "tests/support/ExchangeSchema.h"
#include "tests/support/PageTestSupport.h"
#include "tests/support/SourceTreeFiles.h"
#include "tests/support/UserTyping.h"

// A declaration made in the window as a user makes it, page by page, up to the exchange file.
class RoadTest : public ExportingWindowTest {
protected:
    // The page the window shows, when it is a `Page`.
    template <typename Page>
    Page* shown()
    {
        auto* page = qobject_cast<Page*>(window->currentPage());
        EXPECT_NE(page, nullptr) << Page::staticMetaObject.className();
        return page;
    }

    // New, and the tax office and ОКТМО typed on the conditions page, which stays shown for the
    // test to choose the kinds of income.
    TfrInitialData* startDeclaration()
    {
        window->CreateDoc->trigger();
        auto* conditions = shown<TfrInitialData>();
        if (conditions) {
            typeText(conditions->meInspection, QStringLiteral("7701"));
            typeText(conditions->meOKATO, QStringLiteral("45382000"));
        }
        return conditions;
    }

    // The declarant's personal data typed on their page.
    void typeDeclarant()
    {
        userClick(window->fbPrsonInfo);
        auto* person = shown<TfrPersonNaim>();
        ASSERT_NE(person, nullptr);
        typeText(person->meSurName, QStringLiteral("Иванов"));
        typeText(person->meName, QStringLiteral("Иван"));
        typeText(person->mePatronymic, QStringLiteral("Иванович"));
        typeText(person->meINN, QString::fromLatin1(ValidPersonInn));
        typeText(person->meHomePhone, QStringLiteral("4951234567"));
        person->dtBirthDate->setDateTime(*encodeDate(1980, 5, 17));
    }

    // Export into the export folder; the one file written, or an empty name.
    QString exportFile()
    {
        folders->folders = {exportFolder.path()};
        window->ExportDoc->trigger();
        const QStringList files = QDir(exportFolder.path()).entryList(QDir::Files);
        return files.size() == 1 ? exportFolder.filePath(files[0]) : QString();
    }

    // Export that raises no check and writes a file the exchange schema accepts; the file, or an
    // empty name.
    QString exportWithoutChecks()
    {
        ScriptedCheckAnswers checks;
        const QString file = exportFile();
        for (const auto& check : checks.shown)
            ADD_FAILURE() << check.caption.toStdString() << ": " << check.message.toStdString();
        if (!file.isEmpty()) {
            EXPECT_EQ(exchangeSchemaErrors(file.toStdString()), "");
        }
        return file;
    }
};

// A figure of the exchange file: what it is, the XPath that reads it, the value worked out by hand.
struct ExchangeFigure {
    const char* what;
    std::string xpath;
    const char* value;
};

inline void expectFigures(const QString& exchangeFile, const std::vector<ExchangeFigure>& figures)
{
    for (const ExchangeFigure& figure : figures)
        EXPECT_EQ(xpathValue(exchangeFile, figure.xpath), figure.value) << figure.what << ": " << figure.xpath;
}
