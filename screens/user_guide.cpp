#include "screens/user_guide.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QShortcut>
#include <QStandardPaths>
#include <QTextBrowser>

namespace volantra {
namespace {

const QString GUIDE_FILE = QStringLiteral("user-guide.md");
const QString WINDOW_NAME = QStringLiteral("UserGuide");
constexpr int WINDOW_WIDTH = 820;
constexpr int WINDOW_HEIGHT = 640;

bool HoldsGuide(const QString& folder) {
    return QFileInfo::exists(folder + QLatin1Char('/') + GUIDE_FILE);
}

QWidget* OpenGuideWindow() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == WINDOW_NAME) {
            return window;
        }
    }
    return nullptr;
}

// The guide itself, or where it was looked for when it is not installed.
void Load(QTextBrowser* browser) {
    const QString folder = UserGuideFolder();
    if (folder.isEmpty()) {
        browser->setMarkdown(
            QStringLiteral("The user guide is not installed. It is looked for in "
                           "`share/%1` beside the program and in the desktop's data folders.")
                .arg(QLatin1String(USER_GUIDE_FOLDER)));
        return;
    }
    browser->setSearchPaths({folder});  // the pictures, relative to the guide
    browser->setSource(QUrl::fromLocalFile(folder + QLatin1Char('/') + GUIDE_FILE),
                       QTextDocument::MarkdownResource);
}

// Escape and Ctrl+W close the window, and the focus goes back to the screen that opened it.
void CloseOnKeys(QWidget* window) {
    QWidget* opener = QApplication::activeWindow();
    for (const QKeySequence& keys :
         {QKeySequence(Qt::Key_Escape), QKeySequence(QKeySequence::Close)}) {
        auto* shortcut = new QShortcut(keys, window);
        QObject::connect(shortcut, &QShortcut::activated, window, &QWidget::close);
    }
    if (opener != nullptr) {  // the connection goes with the opener, should it close first
        QObject::connect(window, &QObject::destroyed, opener, &QWidget::activateWindow);
    }
}

// The keys move a caret through the text, line by line, which a screen reader follows
// and reads; Tab reaches the links.
QWidget* NewGuideWindow() {
    auto* browser = new QTextBrowser;
    browser->setObjectName(WINDOW_NAME);
    browser->setWindowTitle(QLatin1String(USER_GUIDE_TITLE));
    browser->setAttribute(Qt::WA_DeleteOnClose);
    browser->setAttribute(Qt::WA_QuitOnClose, false);  // closing the last screen still ends
    browser->setOpenExternalLinks(true);
    browser->setTextInteractionFlags(Qt::TextBrowserInteraction | Qt::TextSelectableByKeyboard);
    browser->resize(WINDOW_WIDTH, WINDOW_HEIGHT);
    Load(browser);
    CloseOnKeys(browser);
    return browser;
}

}  // namespace

QString UserGuideFolder() {
    QString beside =
        QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/") +
                        QLatin1String(USER_GUIDE_FOLDER));
    if (HoldsGuide(beside)) {
        return beside;
    }
    const QStringList installed = QStandardPaths::locateAll(QStandardPaths::GenericDataLocation,
                                                            QLatin1String(USER_GUIDE_FOLDER),
                                                            QStandardPaths::LocateDirectory);
    for (const QString& folder : installed) {
        if (HoldsGuide(folder)) {
            return folder;
        }
    }
    return {};
}

QWidget* ShowUserGuide() {
    QWidget* window = OpenGuideWindow();
    if (window == nullptr) {
        window = NewGuideWindow();
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

void InstallHelpKey(QWidget* screen) {
    auto* help = new QShortcut(QKeySequence::HelpContents, screen);
    QObject::connect(help, &QShortcut::activated, screen, [] { ShowUserGuide(); });
}

}  // namespace volantra
