#include "app/Gamepad.h"

#include <SDL.h>

#include <filesystem>

namespace sk {

namespace {

constexpr Sint16 kStickThreshold = 16384;  // half way

int StickAxis(SDL_GameController* pad, SDL_GameControllerAxis axis) {
    const Sint16 value = SDL_GameControllerGetAxis(pad, axis);
    if (value >= kStickThreshold) return 1;
    if (value <= -kStickThreshold) return -1;
    return 0;
}

bool Pressed(SDL_GameController* pad, SDL_GameControllerButton button) {
    return SDL_GameControllerGetButton(pad, button) != 0;
}

int DpadAxis(SDL_GameController* pad, SDL_GameControllerButton less, SDL_GameControllerButton more) {
    return (Pressed(pad, more) ? 1 : 0) - (Pressed(pad, less) ? 1 : 0);
}

}  // namespace

Gamepad::Gamepad(const std::string& mappingFile) {
    // No SDL window: pads are read whatever window has the focus.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    started_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    if (!started_) return;
    // Polled, not queued: nothing piles up in SDL's event queue.
    SDL_JoystickEventState(SDL_IGNORE);
    SDL_GameControllerEventState(SDL_IGNORE);
    std::error_code error;
    if (!mappingFile.empty() && std::filesystem::is_regular_file(mappingFile, error)) {
        SDL_GameControllerAddMappingsFromFile(mappingFile.c_str());
    }
}

Gamepad::~Gamepad() {
    if (pad_ != nullptr) SDL_GameControllerClose(pad_);
    if (started_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void Gamepad::Attach() {
    if (pad_ != nullptr && !SDL_GameControllerGetAttached(pad_)) {
        SDL_GameControllerClose(pad_);
        pad_ = nullptr;
    }
    if (pad_ != nullptr) return;
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (!SDL_IsGameController(i)) continue;
        pad_ = SDL_GameControllerOpen(i);
        if (pad_ != nullptr) return;
    }
}

PadState Gamepad::Poll() {
    PadState state;
    if (!started_) return state;
    SDL_GameControllerUpdate();
    Attach();
    if (pad_ == nullptr) return state;
    state.Connected = true;
    const SteerDirection stick{StickAxis(pad_, SDL_CONTROLLER_AXIS_LEFTX), StickAxis(pad_, SDL_CONTROLLER_AXIS_LEFTY)};
    const SteerDirection dpad{DpadAxis(pad_, SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_CONTROLLER_BUTTON_DPAD_RIGHT),
                              DpadAxis(pad_, SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_CONTROLLER_BUTTON_DPAD_DOWN)};
    state.Direction = Combine(stick, dpad);
    state.A = Pressed(pad_, SDL_CONTROLLER_BUTTON_A);
    state.B = Pressed(pad_, SDL_CONTROLLER_BUTTON_B);
    state.X = Pressed(pad_, SDL_CONTROLLER_BUTTON_X);
    state.Start = Pressed(pad_, SDL_CONTROLLER_BUTTON_START);
    state.Back = Pressed(pad_, SDL_CONTROLLER_BUTTON_BACK);
    state.LeftShoulder = Pressed(pad_, SDL_CONTROLLER_BUTTON_LEFTSHOULDER);
    state.RightShoulder = Pressed(pad_, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
    return state;
}

}  // namespace sk
