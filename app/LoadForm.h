// The loading window "NowLoading...": built at start-up, never shown.
#pragma once

#include <QDialog>

class TLoadForm : public QDialog {
    Q_OBJECT
public:
    explicit TLoadForm(QWidget* parent = nullptr);
};
