#include "ui/ScreenDescriptor.h"

namespace {

ScreenDescriptor gCurrentScreen;

} // namespace

ScreenDescriptor &CurrentScreen() { return gCurrentScreen; }
