#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include <QString>

#include <gtest/gtest.h>

#include "shell/DeclarationCheck.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/shell/CheckedDeclaration.h"
#include "tests/support/PageTestSupport.h"

// Runs one declaration through a page's own check and through the whole check, which judge it by
// the same rules: the tests of the rules files compare what each finds.

// What a check asks to correct: the message shown and the element; an empty message and 0 when
// the declaration passes.
struct Finding {
    QString message;
    std::uint16_t element = 0;
};

// A declaration that passes every rule, spoilt by `spoil`.
inline std::unique_ptr<mTDeclaration> spoiltDeclaration(const std::function<void(mTDeclaration&)>& spoil)
{
    auto declaration = checkedDeclaration();
    spoil(*declaration);
    return declaration;
}

// The page's check with `skipped` failures answered "Пропустить" and the next one "Исправить".
// `before` receives the messages of the skipped ones.
template <typename Page>
Finding pageFinding(std::unique_ptr<mTDeclaration> declaration, int skipped, std::vector<QString>& before)
{
    PageWindow window;
    window.declaration = std::move(declaration);
    Page* page = window.show<Page>();
    ScriptedCheckAnswers script;
    script.answers.assign(std::size_t(skipped), int(CheckSkip));
    script.answers.push_back(int(CheckFix));
    const std::uint16_t element = page->CheckData();
    for (const ScriptedCheckAnswers::Shown& shown : script.shown)
        before.push_back(shown.message);
    if (before.size() <= std::size_t(skipped))
        return {QString(), element};
    const QString message = before.back();
    before.pop_back();
    return {message, element};
}

// The whole check answered "Исправить"; a finding outside `section` fails the test. The offer of
// a refund that ends a check with nothing found is no finding.
inline Finding wholeCheckFinding(std::unique_ptr<mTDeclaration> declaration, std::uint16_t section)
{
    ScriptedCheckAnswers script;
    script.answers = {int(CheckFix)};
    const TCheckAllResult result = checkWholeDeclaration(nullptr, *declaration);
    if (script.shown.empty() || script.shown.front().caption == QStringLiteral("Проверка: Оформление возврата"))
        return {};
    EXPECT_EQ(result.Section, section) << script.shown.front().message.toStdString();
    return {script.shown.front().message, result.Element};
}

// `message` and `element` as expected; a null `message`: nothing found.
inline void expectFinding(const Finding& found, const char* message, std::uint16_t element)
{
    EXPECT_EQ(found.message, message ? QString::fromUtf8(message) : QString());
    EXPECT_EQ(found.element, message ? element : 0);
}
