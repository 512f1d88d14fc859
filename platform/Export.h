#pragma once

// Symbols of the system layer are seen by the host and the plug-in alike, even when
// the plug-in is built with hidden visibility.
#define ZSYS_API __attribute__((visibility("default")))
