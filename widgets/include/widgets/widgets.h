// The widget toolkit: labels, buttons, edit fields and canvases drawn on the screen by
// themselves, and the chain that carries every event to every interactive widget.
#pragma once

#include "widgets/button.h"
#include "widgets/canvas.h"
#include "widgets/chain.h"
#include "widgets/edit.h"
#include "widgets/label.h"
