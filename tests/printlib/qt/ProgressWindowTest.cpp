// The library called from a Qt GUI application, as the program calls it: a job with progress
// shows the plugin's progress window, whose "Отмена" cancels the job; and the GIF preview read
// by Qt's own GIF reader. Runs under the offscreen platform.

#include "ORVEXPDOCe.h"

#include "JobTestSupport.h"
#include "TiffTestSupport.h"
#include "WideText.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

std::u16string u16(const std::string& text)
{
    return WideText::fromUtf8(text);
}

ORVEXPDOCDataW dataOf(const std::u16string& text)
{
    return {text.data(), static_cast<int32_t>(text.size())};
}

std::string lastError()
{
    int32_t size = 0;
    GetLastErrorORVEXPDOCW(nullptr, &size);
    std::u16string text(static_cast<std::size_t>(size) + 1, u'\0');
    GetLastErrorORVEXPDOCW(text.data(), &size);
    text.resize(static_cast<std::size_t>(size));
    return WideText::toUtf8(text);
}

// What the progress window showed, read from its widgets while the job runs.
struct Seen {
    std::vector<std::string> titles;
    std::vector<std::string> statuses;
    std::vector<std::string> counts;
    std::string button;
    QWidget* parent = nullptr;
    Qt::WindowModality modality = Qt::NonModal;
    bool cancelled = false;
    // A call into the library from the application's own event handler while the job runs.
    int32_t reentrantResult = -1;
    std::string reentrantReport;
};

QWidget* progressWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QStringLiteral("ORVEXPDOCeProgress") && widget->isVisible())
            return widget;
    return nullptr;
}

void remember(std::vector<std::string>& texts, const QString& text)
{
    if (!text.isEmpty() && (texts.empty() || texts.back() != text.toStdString()))
        texts.push_back(text.toStdString());
}

// The pages done in a count line "N из M"; -1 for another text.
int pagesDone(const std::string& count)
{
    const std::size_t of = count.find(" из ");
    return of == std::string::npos ? -1 : std::atoi(count.substr(0, of).c_str());
}

// Watches the window on the GUI thread, as a user would, and presses "Отмена" once the count
// shows `cancelAt` pages done or more.
class Watcher {
public:
    Watcher(Seen& seen, int cancelAt) : seen_(seen), cancelAt_(cancelAt)
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] { look(); });
        timer_.start(5);
    }

private:
    void look()
    {
        QWidget* window = progressWindow();
        if (!window)
            return;
        remember(seen_.titles, window->windowTitle());
        remember(seen_.statuses, window->findChild<QLabel*>(QStringLiteral("status"))->text());
        remember(seen_.counts, window->findChild<QLabel*>(QStringLiteral("count"))->text());
        auto* cancel = window->findChild<QPushButton*>(QStringLiteral("cancel"));
        seen_.button = cancel->text().toStdString();
        seen_.parent = window->parentWidget();
        seen_.modality = window->windowModality();
        if (seen_.reentrantResult == -1) {
            seen_.reentrantResult = GetNumberPages();
            seen_.reentrantReport = lastError();
        }
        if (!seen_.cancelled && !seen_.counts.empty() && pagesDone(seen_.counts.back()) >= cancelAt_) {
            seen_.cancelled = true;
            cancel->click();
        }
    }

    Seen& seen_;
    int cancelAt_;
    QTimer timer_;
};

struct CancelCase {
    const char* name;
    bool print;
    bool owner;
    std::string title;
    std::string line;
    std::string report;
};

TEST(ProgressWindowTest, ShowsTheJobAndOtmenaCancelsIt)
{
    ScratchFolder folder;
    const std::string form = versionedForm(folder, 2, 100);
    ASSERT_EQ(InitORVEXPDOCW(u16(form).c_str()), 1) << lastError();
    // Long enough that the cancel comes before the end.
    const std::u16string xml = dataDocumentXml(std::vector<SheetData>(40, SheetData{}));
    const std::string printed = folder.file("printed.pdf");
    const std::string built = folder.file("built.pdf");
    ASSERT_EQ(::setenv("ORVEXPDOC_PRINT_SINK", printed.c_str(), 1), 0);

    const CancelCase cases[] = {
        {"build", false, false, "Запись изображений", "Идет запись...", "Запись прервана."},
        {"print", true, false, "Печать документа", "Идет печать...", "Печать прервана."},
        {"print over an owner window", true, true, "Печать документа", "Идет печать...", "Печать прервана."},
    };
    for (const CancelCase& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget owner;
        owner.setWindowTitle(QStringLiteral("Программа"));
        owner.show();
        const intptr_t ownerWindow = c.owner ? static_cast<intptr_t>(owner.winId()) : 0;
        Seen seen;
        Watcher watcher(seen, 3);
        const std::u16string output = u16(built);
        const int32_t result = c.print ? PrintDocumentW(dataOf(xml), u"", u"", 1, 100, 1, ownerWindow)
                                       : BuildPDocumentW(dataOf(xml), output.c_str(), u"", 0, 1, ownerWindow);
        EXPECT_EQ(result, 0);
        const std::string report = lastError();
        EXPECT_EQ(report.rfind(c.report, 0), 0u) << report;
        EXPECT_NE(report.find("1223"), std::string::npos) << report;
        EXPECT_TRUE(seen.cancelled);
        EXPECT_FALSE(std::filesystem::exists(c.print ? printed : built)) << "no output";
        EXPECT_EQ(progressWindow(), nullptr) << "the window is gone";

        EXPECT_EQ(seen.titles, std::vector<std::string>{c.title});
        ASSERT_FALSE(seen.statuses.empty());
        EXPECT_NE(std::find(seen.statuses.begin(), seen.statuses.end(), c.line), seen.statuses.end());
        // Counts go up, each "N из 40", and the job stops at the one the cancel was pressed at.
        int last = -1;
        for (const std::string& count : seen.counts) {
            EXPECT_EQ(count, std::to_string(pagesDone(count)) + " из 40");
            EXPECT_GT(pagesDone(count), last);
            last = pagesDone(count);
        }
        EXPECT_GE(last, 3);
        EXPECT_LT(last, 40);
        EXPECT_EQ(seen.button, "Отмена");
        EXPECT_EQ(seen.parent, c.owner ? &owner : nullptr);
        EXPECT_EQ(seen.modality, c.owner ? Qt::WindowModal : Qt::ApplicationModal);
        // Refused at once rather than waiting for the job it runs inside of.
        EXPECT_EQ(seen.reentrantResult, 0);
        EXPECT_NE(seen.reentrantReport.find("задание библиотеки ещё выполняется"), std::string::npos)
            << seen.reentrantReport;
    }

    // Without progress, no window; the job runs whole.
    Seen seen;
    Watcher watcher(seen, 1000);
    EXPECT_EQ(PrintDocumentW(dataOf(xml), u"", u"1-2", 1, 100, 0, 0), 1) << lastError();
    EXPECT_TRUE(seen.titles.empty());
    EXPECT_TRUE(std::filesystem::exists(printed));
    ::unsetenv("ORVEXPDOC_PRINT_SINK");
    FreeORVEXPDOC();
}

// Qt's GIF reader is its own, not giflib: the GIF preview must show the pixels of the PNG
// preview of the same sheet (read by Qt through libpng).
TEST(GifPreviewTest, QtReadsThePixelsOfThePngPreview)
{
    ScratchFolder folder;
    const std::string form = versionedForm(folder, 1, 150);
    ASSERT_EQ(InitORVEXPDOCW(u16(form).c_str()), 1) << lastError();
    const std::u16string xml = dataDocumentXml({{1, u"500100732259", u"Петров"}});
    const std::string gif = folder.file("page.gif");
    const std::string png = folder.file("page.png");
    ASSERT_EQ(BuildVPageW(dataOf(xml), u16(gif).c_str(), 1, u"gif"), 1) << lastError();
    ASSERT_EQ(BuildVPageW(dataOf(xml), u16(png).c_str(), 1, u"png"), 1) << lastError();
    FreeORVEXPDOC();

    QImage fromGif(QString::fromStdString(gif), "GIF");
    QImage fromPng(QString::fromStdString(png), "PNG");
    ASSERT_FALSE(fromGif.isNull());
    ASSERT_FALSE(fromPng.isNull());
    ASSERT_EQ(fromGif.size(), fromPng.size());
    EXPECT_EQ(fromGif.width(), 1240);
    fromGif = fromGif.convertToFormat(QImage::Format_RGB32);
    fromPng = fromPng.convertToFormat(QImage::Format_RGB32);
    long black = 0;
    long different = 0;
    for (int y = 0; y < fromGif.height(); ++y)
        for (int x = 0; x < fromGif.width(); ++x) {
            const QRgb pixel = fromGif.pixel(x, y);
            EXPECT_TRUE(pixel == qRgb(0, 0, 0) || pixel == qRgb(255, 255, 255)) << "two colours only";
            black += pixel == qRgb(0, 0, 0);
            different += pixel != fromPng.pixel(x, y);
            if (HasFailure())
                return;
        }
    EXPECT_GT(black, 1000) << "the sheet's barcodes and text";
    EXPECT_EQ(different, 0);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
