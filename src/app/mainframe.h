#pragma once

#include <QMainWindow>

// The main window.
class CMainFrame : public QMainWindow
{
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);

Q_SIGNALS:
    void AboutRequested();
};
