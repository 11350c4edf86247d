// The program's six windows, made in their fixed order: MainForm,
// PropatyBox, HighScoreForm, EnterScore, AboutBox, LoadForm. Only the main
// window is ever shown by start-up.
#pragma once

#include "app/AboutBox.h"
#include "app/LoadForm.h"
#include "app/MainForm.h"
#include "app/PropatyBox.h"
#include "app/EnterScore.h"
#include "app/HighScoreForm.h"

struct AppWindows {
    explicit AppWindows(TMainForm::Hooks hooks = TMainForm::Hooks());

    TMainForm MainForm;
    TPropatyBox PropatyBox;
    THighScoreForm HighScoreForm;
    TEnterScore EnterScore;
    TAboutBox AboutBox;
    TLoadForm LoadForm;
};
