#pragma once

// Registers the persistent setting with the layout reader.
void RegisterStorageClasses();
