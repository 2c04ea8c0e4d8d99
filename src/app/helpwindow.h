#pragma once

#include <QTextBrowser>

// The user guide bundled in the program, in a window of its own beside the main window.
class CHelpWindow : public QTextBrowser
{
    Q_OBJECT
public:
    explicit CHelpWindow(QWidget* parent = nullptr);

    static QUrl GuideUrl();
    // Shows the guide and brings the window to the front.
    void ShowGuide();
};
