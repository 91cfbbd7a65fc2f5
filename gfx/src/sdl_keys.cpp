#include "sdl_keys.h"

#include "gfx/input.h"

namespace zephyrion {
namespace {

// The keys of the number pad act as cursor keys while Num Lock is off.
std::optional<NamedKey> numberPadKey(SDL_Keycode key) {
  switch (key) {
    case SDLK_KP_8:
      return NamedKey::Up;
    case SDLK_KP_2:
      return NamedKey::Down;
    case SDLK_KP_4:
      return NamedKey::Left;
    case SDLK_KP_6:
      return NamedKey::Right;
    case SDLK_KP_0:
      return NamedKey::Insert;
    case SDLK_KP_PERIOD:
      return NamedKey::Delete;
    case SDLK_KP_7:
      return NamedKey::Home;
    case SDLK_KP_1:
      return NamedKey::End;
    case SDLK_KP_9:
      return NamedKey::PageUp;
    case SDLK_KP_3:
      return NamedKey::PageDown;
    default:
      return std::nullopt;
  }
}

}  // namespace

std::optional<NamedKey> namedKey(SDL_Keycode key, bool numLock) {
  switch (key) {
    case SDLK_UP:
      return NamedKey::Up;
    case SDLK_DOWN:
      return NamedKey::Down;
    case SDLK_LEFT:
      return NamedKey::Left;
    case SDLK_RIGHT:
      return NamedKey::Right;
    case SDLK_INSERT:
      return NamedKey::Insert;
    case SDLK_DELETE:
      return NamedKey::Delete;
    case SDLK_HOME:
      return NamedKey::Home;
    case SDLK_END:
      return NamedKey::End;
    case SDLK_PAGEUP:
      return NamedKey::PageUp;
    case SDLK_PAGEDOWN:
      return NamedKey::PageDown;
    case SDLK_F1:
      return NamedKey::F1;
    case SDLK_F2:
      return NamedKey::F2;
    case SDLK_F3:
      return NamedKey::F3;
    case SDLK_F4:
      return NamedKey::F4;
    case SDLK_F5:
      return NamedKey::F5;
    case SDLK_F6:
      return NamedKey::F6;
    case SDLK_F7:
      return NamedKey::F7;
    case SDLK_F8:
      return NamedKey::F8;
    case SDLK_F9:
      return NamedKey::F9;
    case SDLK_F10:
      return NamedKey::F10;
    case SDLK_RETURN:
      return NamedKey::Enter;
    case SDLK_KP_ENTER:
      return NamedKey::Enter;
    case SDLK_BACKSPACE:
      return NamedKey::Backspace;
    case SDLK_TAB:
      return NamedKey::Tab;
    case SDLK_ESCAPE:
      return NamedKey::Escape;
    default:
      return numLock ? std::nullopt : numberPadKey(key);
  }
}

int buttonBit(Uint8 button) {
  switch (button) {
    case SDL_BUTTON_LEFT:
      return kLeftButton;
    case SDL_BUTTON_RIGHT:
      return kRightButton;
    case SDL_BUTTON_MIDDLE:
      return kMiddleButton;
    case SDL_BUTTON_X1:
      return kExtraButton1;
    case SDL_BUTTON_X2:
      return kExtraButton2;
    default:
      return 0;
  }
}

}  // namespace zephyrion
