#include "controls/CAboutDlg.h"

#include <QPlainTextEdit>

#include "controls/ColorLabel.h"
#include "controls/DialogUnits.h"
#include "controls/Pictures.h"
#include "controls/SkinBackground.h"
#include "controls/ThemedSkinButton.h"

namespace velmora {

namespace {

constexpr int kAboutSkin = 19;
constexpr int kAppIcon = 37;
constexpr int kOkIcon = 27;
constexpr int kHistoryIcon = 48;
constexpr int kOkId = 1;
constexpr int kHistoryButtonId = 183;
constexpr int kHistoryEditId = 193;

const char* const kAboutTitle = "About Velmora";
const char* const kHistoryTitle = "Version History";
const char* const kShowHistoryCaption = "&Version History";
const char* const kShowAboutCaption = "&About Velmora";

struct LabelSpec {
    int id;
    const char* text;
    QRect rect;
    Qt::Alignment align;
};

QString Id(int id) {
    return QStringLiteral("id%1").arg(id);
}

}  // namespace

const char* CAboutDlg::HistoryText() {
    return "Version 1.0 (Beta 2)\r\n"
           "\r\n"
           "* Fix menu problems\r\n"
           "* Fix uninstaller language problem\r\n"
           "* Fix processes count problem\r\n"
           "* Add action remaining time information\r\n"
           "* Add kill processes routine\r\n"
           "* Add hibernate routine\r\n"
           "* Add stand by routine\r\n"
           "\r\n"
           "Thank you for using Velmora :-);";
}

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(QString::fromUtf8(kAboutTitle));
    setWindowIcon(QIcon(IconPicture(kAppIcon)));
    setFixedSize(Dlu(0, 0, 276, 185).size());
    QFont dialogFont = font();
    dialogFont.setPointSize(8);
    setFont(dialogFont);
    SkinBackground::Attach(this, kAboutSkin);
    BuildControls();
}

void CAboutDlg::BuildControls() {
    auto* icon = new QLabel(this);
    icon->setPixmap(IconPicture(kAppIcon));
    icon->setGeometry(QRect(Dlu(6, 7, 0, 0).topLeft(), QSize(32, 32)));

    // Places as laid out for the dialog font, two of them widened to hold
    // their texts in the wider fonts of Linux desktops: the version keeps
    // its right edge, the warning's last line its left.
    const Qt::Alignment topLeft = Qt::AlignLeft | Qt::AlignTop;
    const LabelSpec labels[] = {
        {179, "Velmora", Dlu(36, 7, 100, 8), topLeft},
        {180, "Version 1.0.0000.", Dlu(181, 7, 88, 8), Qt::AlignRight | Qt::AlignTop},
        {181, "Copyright \u00A9 2026 Orlendt. All rights reserved.", Dlu(36, 18, 233, 8), topLeft},
        {148,
         "Warning: Velmora is protected by copyright law. You may use it freely,\n"
         "but copying, changing, selling or passing on this program or any part\n"
         "of it without the written permission of Orlendt is not allowed and will\n"
         "be pursued to the full",
         Dlu(7, 133, 262, 33), topLeft},
        {149, " extend possible under the law.", Dlu(97, 157, 118, 8), topLeft},
    };
    for (const LabelSpec& spec : labels) {
        auto* label = new ColorLabel(QString::fromUtf8(spec.text), this);
        label->setObjectName(Id(spec.id));
        label->setGeometry(spec.rect);
        label->setAlignment(spec.align);
    }

    okButton_ = new ThemedSkinButton(QStringLiteral("&OK"), this);
    okButton_->setObjectName(Id(kOkId));
    okButton_->setGeometry(Dlu(218, 166, 51, 15));
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);

    historyButton_ = new ThemedSkinButton(QString::fromUtf8(kShowHistoryCaption), this);
    historyButton_->setObjectName(Id(kHistoryButtonId));
    historyButton_->setGeometry(Dlu(7, 166, 99, 15));
    connect(historyButton_, &QPushButton::clicked, this, &CAboutDlg::ToggleHistory);

    history_ = new QPlainTextEdit(this);
    history_->setObjectName(Id(kHistoryEditId));
    history_->setGeometry(Dlu(7, 7, 262, 158));
    history_->setReadOnly(true);
    history_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    history_->setPlainText(QString::fromUtf8(HistoryText()));
    history_->hide();

    okButton_->Dress(&theme_, kOkIcon);
    historyButton_->Dress(&theme_, kHistoryIcon);
}

void CAboutDlg::ToggleHistory() {
    const bool showHistory = !history_->isVisibleTo(this);
    history_->setVisible(showHistory);
    setWindowTitle(QString::fromUtf8(showHistory ? kHistoryTitle : kAboutTitle));
    historyButton_->setText(
        QString::fromUtf8(showHistory ? kShowAboutCaption : kShowHistoryCaption));
}

void RunAboutBox(QWidget* parent) {
    CAboutDlg about(parent);
    about.exec();
}

}  // namespace velmora
