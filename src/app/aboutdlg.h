#pragma once

#include <QDialog>

// "About Orthex": the icon, the version line and a line about the program.
class CAboutDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    static QString VersionText();
    static QString AboutText();
};
