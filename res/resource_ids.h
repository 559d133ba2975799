#pragma once
// Shared by the resource script and the code.

#define WENDRILL_ICON 1
