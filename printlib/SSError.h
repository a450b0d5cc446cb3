#pragma once

// The library's error family. A builder (CPrgError, CComError) collects what is known about a
// failure and formats a multi-line report; raise() throws the small exception object
// (CPrgErrorException, CComErrorException) that carries the report to the exported call frame,
// which compacts it into the one-line last-error text.
//
//     SSError::CPrgError(SSError::kSourcePdf417, __LINE__, SSError::kErrInvalidParametersDetail)
//         .addDetail(u"ширина")
//         .raise();

#include <concepts>
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

namespace SSError {

// Error codes: the two top bits set, a facility (1, 2, 4 or 8) in bits 16 to 19 and the message
// number in the low 10 bits. The message of a code is string-table entry messageId(code).
inline constexpr uint32_t kErrDetailOnly = 0xC0010000;            // "%": the first detail alone
inline constexpr uint32_t kErrComWithErrorInfo = 0xC0010001;      // COM 0x80040000 with a source
inline constexpr uint32_t kErrNoDefaultPrinter = 0xC001001A;      // "Не найден принтер по умолчанию."
inline constexpr uint32_t kErrOpenPrinter = 0xC001001B;           // "Не удалось открыть принтер: %."
inline constexpr uint32_t kErrPrinterProperties = 0xC001001C;     // "Не удалось получить свойства принтера: %."
inline constexpr uint32_t kErrWrongStringSize = 0xC0020001;       // "Не верный размер строки"
inline constexpr uint32_t kErr0xC0020004 = 0xC0020004;            // no message in the table
inline constexpr uint32_t kErrUnknown = 0xC002000D;               // "Неизвестная ошибка"
inline constexpr uint32_t kErrFileNotFound = 0xC002000E;          // "Файл не найден: %."
inline constexpr uint32_t kErrInvalidParameters = 0xC0020043;     // "Недопустимые параметры."
inline constexpr uint32_t kErrInvalidParametersDetail = 0xC0020050; // "Недопустимые параметры: %."
inline constexpr uint32_t kErrDetailWithPoint = 0xC0020059;       // "%."
inline constexpr uint32_t kErrXmlDom = 0xC0020061;                // "Ошибка при работе с XMLDOM. %."
inline constexpr uint32_t kErrFieldDoesNotFit = 0xC0020062;       // "Данные '%' (длина %) % страницы ..."
inline constexpr uint32_t kErrFileWrite = 0xC0040003;             // "Ошибка записи в файл: %"
inline constexpr uint32_t kErr0xC0080003 = 0xC0080003;            // "Запись изображений этого типа не поддерживается: %."
inline constexpr uint32_t kErrGdiPlus = 0xC0080004;               // "GDI+: %"
inline constexpr uint32_t kErrUnsupportedTiff = 0xC0080007;       // "Не поддерживаемая структура TIF файла: %"
inline constexpr uint32_t kErr0xC008000A = 0xC008000A;            // "Не удалось построить штрих-код PDF417."
inline constexpr uint32_t kErr0xC008000B = 0xC008000B;            // "Превышен максимально возможный размер данных ..."

// The system error a cancelled job reports; it is no errno value, so it has a text of its own.
inline constexpr int kSystemErrorCancelled = 1223;

// HRESULT-like codes carried by COM errors.
inline constexpr uint32_t kHresultFail = 0x80004005;              // E_FAIL
inline constexpr uint32_t kHresultWithErrorInfo = 0x80040000;

// Source ids: string-table ids naming the place that raised an error. The renderer's parts
// report 10000 plus an id (10032 is "TifOperation").
inline constexpr int kSourceTempFile = 14;
inline constexpr int kSourceTifOperation = 32;
inline constexpr int kSourcePdf417 = 38;
inline constexpr int kSourceExports = 101;
inline constexpr int kSourceDocument = 102;
inline constexpr int kSourceViewProcess = 103;
inline constexpr int kRendererSourceOffset = 10000;

// String-table id of a code's message: 0xC000 + facility * 0x400 + the low 10 bits.
constexpr int messageId(uint32_t code)
{
    return static_cast<int>(((code >> 6) & 0x3C00) | ((code >> 16) & 0xC000) | (code & 0x3FF));
}

// HRESULT form of a system error number (errno), as COM errors made from a system error carry it.
constexpr uint32_t hresultFromErrno(int errnum)
{
    return errnum == 0 ? 0u : 0x80070000u | (static_cast<uint32_t>(errnum) & 0xFFFFu);
}

// The thrown objects. kind() is 1 for a program error, 2 for a COM error.
class CError : public std::exception {
public:
    static constexpr int kProgram = 1;
    static constexpr int kCom = 2;

    CError(int kind, std::u16string report);

    int kind() const { return kind_; }
    virtual const std::u16string& report() const { return report_; }
    // The report in one line, as the exported functions store it in the last-error text.
    std::u16string oneLineReport() const;
    const char* what() const noexcept override { return utf8Report_.c_str(); }

private:
    int kind_;
    std::u16string report_;
    std::string utf8Report_;
};

class CPrgErrorException : public CError {
public:
    explicit CPrgErrorException(std::u16string report) : CError(kProgram, std::move(report)) {}
};

class CComErrorException : public CError {
public:
    explicit CComErrorException(std::u16string report) : CError(kCom, std::move(report)) {}
};

template <class T>
concept IsCharacter = std::same_as<T, bool> || std::same_as<T, char> || std::same_as<T, wchar_t>
                      || std::same_as<T, char8_t> || std::same_as<T, char16_t> || std::same_as<T, char32_t>;

// Base of the builders.
class CBldErrorBase {
public:
    virtual ~CBldErrorBase() = default;

    // Builds the multi-line report from the fields.
    virtual std::u16string buildReport() const = 0;
    virtual uint32_t code() const = 0;
    virtual std::u16string sourceName() const = 0;
    // Program builders: 0, 1, 2 or 4 by the code's top bits; COM builders: 1.
    virtual int severity() const = 0;
    // Program builders: the facility bits of the code (1, 2, 4 or 8, 0 without); COM builders: 0.
    virtual int facility() const = 0;

    const std::u16string& cachedReport() const { return report_; }
    // The report, built when none is cached or when asked to rebuild.
    const std::u16string& report(bool rebuild = false);

    static std::u16string trimTrailingLineBreaks(std::u16string text);
    static std::u16string lineBreaksToBlanks(std::u16string text);

protected:
    std::u16string report_;
};

class CBldPrgError : public CBldErrorBase {
public:
    // With captureSystemError the calling thread's errno is kept as the system error.
    CBldPrgError(int sourceId, int line, uint32_t code, bool captureSystemError = false);

    std::u16string buildReport() const override;
    uint32_t code() const override { return code_; }
    std::u16string sourceName() const override;
    int severity() const override;
    int facility() const override;

    int sourceId() const { return sourceId_; }
    int line() const { return line_; }
    int systemError() const { return systemError_; }
    const std::vector<std::u16string>& details() const { return details_; }

    // Sets the system error explicitly: an errno value, or kSystemErrorCancelled.
    CBldPrgError& setSystemError(int errnum);

    // A text detail has its trailing CR and LF cut and inner ones turned into blanks.
    CBldPrgError& addDetail(std::u16string_view text);
    CBldPrgError& addDetail(std::string_view utf8Text);
    CBldPrgError& addDetail(const char16_t* text) { return addDetail(std::u16string_view(text)); }
    CBldPrgError& addDetail(const char* utf8Text) { return addDetail(std::string_view(utf8Text)); }
    // A number detail is written in decimal.
    template <std::integral Number>
        requires(!IsCharacter<Number>)
    CBldPrgError& addDetail(Number number)
    {
        return addNumberDetail(static_cast<int64_t>(number));
    }

    CPrgErrorException exception();
    [[noreturn]] void raise();

private:
    CBldPrgError& addNumberDetail(int64_t number);

    int sourceId_;
    int line_;
    uint32_t code_;
    int systemError_ = 0;
    std::vector<std::u16string> details_;
};

class CPrgErrorEx : public CBldPrgError {
public:
    using CBldPrgError::CBldPrgError;
};

class CPrgError : public CPrgErrorEx {
public:
    using CPrgErrorEx::CPrgErrorEx;
};

class CBldComError : public CBldErrorBase {
public:
    // hresult is the failed call's code; description the caller's text for it (when empty, a
    // generic text is made from the code); comSource and comDescription what the failing
    // component reported about itself.
    CBldComError(int sourceId, int line, uint32_t hresult, std::u16string description,
                 std::u16string comSource = {}, std::u16string comDescription = {});

    std::u16string buildReport() const override;
    uint32_t code() const override { return code_; }
    std::u16string sourceName() const override;
    int severity() const override { return 1; }
    int facility() const override { return 0; }

    int sourceId() const { return sourceId_; }
    int line() const { return line_; }
    const std::u16string& description() const { return description_; }
    const std::u16string& comSource() const { return comSource_; }
    const std::u16string& comDescription() const { return comDescription_; }

    CComErrorException exception();
    [[noreturn]] void raise();

private:
    int sourceId_;
    int line_;
    uint32_t code_;
    std::u16string description_;
    std::u16string comSource_;
    std::u16string comDescription_;
};

class CComErrorEx : public CBldComError {
public:
    using CBldComError::CBldComError;
};

class CComError : public CComErrorEx {
public:
    using CComErrorEx::CComErrorEx;

    // A COM error made from a system error number (errno): its HRESULT form and the system's text.
    static CComError fromSystemError(int errnum, int sourceId, int line);
};

} // namespace SSError
