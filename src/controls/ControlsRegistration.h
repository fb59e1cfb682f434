#pragma once

// Registers the custom controls (TFancyButton, TURLStatic, TVersionLabel) with the
// layout reader's class registry, after the toolkit's own classes. Call once before
// reading a layout that declares them; later calls do nothing.
void RegisterControlsClasses();
