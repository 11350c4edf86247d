#include "app/AppWindows.h"

AppWindows::AppWindows(TMainForm::Hooks hooks)
    : MainForm(std::move(hooks)),
      PropatyBox(MainForm.game(), &MainForm),
      HighScoreForm(MainForm.game(), &MainForm),
      EnterScore(MainForm.game(), &MainForm),
      AboutBox(MainForm.game(), &MainForm),
      LoadForm(&MainForm) {
    MainForm.AttachWindows(&PropatyBox, &HighScoreForm, &EnterScore, &AboutBox);
}
