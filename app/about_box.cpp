#include "app/about_box.h"

#include <QApplication>
#include <QCommandLinkButton>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QUrl>

#include "platform/prompts.h"

namespace {

const char kProductPage[] = "https://quorvel.example/bertlv";
const char kMakerPage[] = "https://brannox.example";

// Fusion draws a link flat and shows nothing when the keyboard is on it: Enter would open a page
// the user cannot see chosen. The link takes the focus frame of a push button, where the
// Windows look draws its own, so that the two coincide there.
class FramedLinkButton : public QCommandLinkButton {
public:
    FramedLinkButton(const QString& text, QWidget* parent) : QCommandLinkButton(text, parent) {}

protected:
    void paintEvent(QPaintEvent* event) override {
        QCommandLinkButton::paintEvent(event);
        if (!hasFocus()) {
            return;
        }
        QStyleOptionButton button;
        initStyleOption(&button);
        QStylePainter painter(this);
        QStyleOptionFocusRect frame;
        frame.initFrom(this);
        frame.rect = style()->subElementRect(QStyle::SE_PushButtonFocusRect, &button, this);
        frame.backgroundColor = palette().color(QPalette::Window);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, frame);
    }
};

QCommandLinkButton* LinkButton(const char* text, const char* url, int id, QWidget* parent) {
    QCommandLinkButton* button = new FramedLinkButton(QString::fromLatin1(text), parent);
    button->setDescription(QString::fromLatin1(url));
    button->setProperty("controlId", id);
    QObject::connect(button, &QPushButton::clicked, parent, [url, parent] {
        const QString page = QString::fromLatin1(url);
        // Without a browser to hand the page to, Qt only writes a warning on standard error.
        if (!QDesktopServices::openUrl(QUrl(page))) {
            AppPrompts()->ShowError(
                parent,
                QStringLiteral("Could not open %1: no web browser could show it.").arg(page),
                QString::fromLatin1(kApplicationTitle));
        }
    });
    return button;
}

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About Quorvel BER-TLV"));
    QLabel* icon = new QLabel(this);
    icon->setPixmap(QApplication::windowIcon().pixmap(32, 32));
    QLabel* version = new QLabel(QStringLiteral("Quorvel BERTLV Version 1.00"), this);
    QLabel* tagline =
        new QLabel(QStringLiteral("BER-TLV editor and analyser for EMV chip-card data"), this);
    QDialogButtonBox* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    QGridLayout* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(version, 0, 1);
    layout->addWidget(tagline, 1, 1);
    layout->addWidget(buttons, 0, 2, Qt::AlignTop);
    layout->addWidget(LinkButton("Product page", kProductPage, 1041, this), 2, 1, 1, 2);
    layout->addWidget(LinkButton("Brannox", kMakerPage, 1042, this), 3, 1, 1, 2);
}
