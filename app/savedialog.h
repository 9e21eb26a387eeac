#pragma once

// The save dialog: a file dialog that refuses a file in a folder that does not exist, as
// the open dialog refuses a file that does not exist. Qt's own dialog would accept it and
// leave the failure to the save. A name typed without an extension takes the one of the
// chosen filter, which tells the format; a filter for every file takes the first filter's.

#include <QFileDialog>

class TSaveDialog : public QFileDialog {
    Q_OBJECT

public:
    TSaveDialog(QWidget* Parent, const QString& Caption);

    void accept() override;
};
