#include "shell/SounImport.h"

#include <stdexcept>

#include <QDate>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "controls/MessageBox.h"
#include "controls/HelpTopics.h"
#include "shell/DeclarationFileDialogs.h"
#include "shell/InspectionDirectory.h"
#include "shell/ProductInfo.h"
#include "shell/ReferenceFiles.h"
#include "shell/SounDbf.h"
#include "shell/WebLinks.h"

namespace {

const QString ImportedVersion = QStringLiteral("00");

QString link(const QString& text)
{
    return QStringLiteral("<a href=\"link\">%1</a>").arg(text.toHtmlEscaped());
}

void tell(QWidget* parent, const QString& text)
{
    MessageBox::show(parent, QMessageBox::NoIcon, QString::fromUtf8(ProductName), text);
}

} // namespace

void ImportSounDbf(const QString& sourcePath, const QString& targetFile, const QString& version, const QString& date)
{
    writeInspectionDirectory(targetFile, InspectionDirectory{version, date, readSounOffices(sourcePath)});
}

TfmLoadSoun::TfmLoadSoun(QWidget* owner, const QString& programFolder)
    : QDialog(owner), lbHelpLink(new QLabel(this)), lbDownloadLink(new QLabel(this)), edSoun1(new QLineEdit(this)),
      Button4(new QPushButton(QStringLiteral("..."), this)),
      Button1(new QPushButton(QStringLiteral("Импорт СОУН"), this)), BitBtn1(new QPushButton(QStringLiteral("OK"), this)),
      programFolder_(programFolder)
{
    setObjectName(QStringLiteral("TfmLoadSoun"));
    setWindowTitle(QStringLiteral("Загрузка СОУН"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    chooseSourceFile = [](QWidget* parent, const QString& folder) {
        QFileDialog dialog(parent, QStringLiteral("Открыть"), folder, QStringLiteral("*.dbf (soun1.dbf)"));
        speakRussian(dialog);
        dialog.setFileMode(QFileDialog::ExistingFile);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().first();
    };

    const auto plain = [this](const QString& text) {
        auto* label = new QLabel(text, this);
        label->setTextFormat(Qt::PlainText);
        return label;
    };
    lbHelpLink->setObjectName(QStringLiteral("lbHelpLink"));
    lbHelpLink->setTextFormat(Qt::RichText);
    if (isHelpAvailable()) {
        lbHelpLink->setText(link(QStringLiteral("подробно расписано в Справке")));
        connect(lbHelpLink, &QLabel::linkActivated, this,
                [this] { openHelpTopic(this, QLatin1String(SounHelpTopic)); });
    } else {
        lbHelpLink->setText(QStringLiteral("подробно расписано в Справке"));
        lbHelpLink->setEnabled(false);
        lbHelpLink->setToolTip(helpUnavailableText());
    }
    lbDownloadLink->setObjectName(QStringLiteral("lbDownloadLink"));
    lbDownloadLink->setTextFormat(Qt::RichText);
    lbDownloadLink->setText(link(QStringLiteral("- скачать с сайта %1 актуальный справочник СОУН;")
                                     .arg(QLatin1String(ClassifierSite))));
    connect(lbDownloadLink, &QLabel::linkActivated, this, [this] {
        if (!openWebLink(QUrl(QLatin1String(ClassifierPage))))
            tell(this, QStringLiteral("Не удалось запустить браузер"));
    });

    edSoun1->setObjectName(QStringLiteral("edSoun1"));
    edSoun1->setReadOnly(true);
    edSoun1->setMinimumWidth(360);
    Button4->setObjectName(QStringLiteral("Button4"));
    Button4->setFixedWidth(28);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setEnabled(false);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    for (QPushButton* button : {Button4, Button1})
        button->setAutoDefault(false);
    connect(Button4, &QPushButton::clicked, this, &TfmLoadSoun::Button4Click);
    connect(Button1, &QPushButton::clicked, this, &TfmLoadSoun::Button1Click);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { done(1); });

    auto* helpLine = new QHBoxLayout;
    helpLine->setSpacing(0);
    helpLine->addWidget(plain(QStringLiteral("Простой: отредактировать справочник вручную. Как это сделать, ")));
    helpLine->addWidget(lbHelpLink);
    helpLine->addStretch();
    auto* fileLine = new QHBoxLayout;
    fileLine->addWidget(edSoun1, 1);
    fileLine->addWidget(Button4);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button1);
    buttons->addStretch();
    buttons->addWidget(BitBtn1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(3);
    layout->addWidget(plain(QStringLiteral("Инспекция может отсутствовать в справочнике по двум причинам:")));
    layout->addWidget(plain(QStringLiteral("- у инспекции изменился код и название;")));
    layout->addWidget(plain(QStringLiteral("- справочник устарел.")));
    layout->addSpacing(6);
    layout->addWidget(plain(QStringLiteral("Возможны два пути решения проблемы: простой и более сложный.")));
    layout->addLayout(helpLine);
    layout->addSpacing(6);
    layout->addWidget(plain(QStringLiteral("Сложный:")));
    layout->addWidget(lbDownloadLink);
    layout->addWidget(plain(QStringLiteral("- извлечь из скачанного архива SOUN_DBF.ARJ файл soun1.dbf;")));
    layout->addWidget(plain(QStringLiteral("- указать путь к файлу soun1.dbf и обновить справочник;")));
    layout->addWidget(plain(QStringLiteral("- перезапустить программу \"Форвета\".")));
    layout->addSpacing(8);
    layout->addLayout(fileLine);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
}

void TfmLoadSoun::Button4Click()
{
    const QString chosen = chooseSourceFile(this, fileDialogFolder(this));
    if (!chosen.isEmpty())
        edSoun1->setText(chosen);
    Button1->setEnabled(true);
    BitBtn1->setEnabled(false);
}

void TfmLoadSoun::Button1Click()
{
    BitBtn1->setEnabled(true);
    const QString source = edSoun1->text().trimmed();
    if (source.isEmpty()) {
        tell(this, QStringLiteral("Укажите путь к файлу soun1.dbf"));
        return;
    }
    try {
        ImportSounDbf(source, programFolder_ + QLatin1String(InspectionsFileName), ImportedVersion,
                      QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
    } catch (const std::runtime_error& error) {
        tell(this, QStringLiteral("Импортировать данные не удалось\n") + QString::fromUtf8(error.what()));
        return;
    }
    tell(this, QStringLiteral("Данные успешно импортированы. Не забудьте перезапустить программу."));
}
