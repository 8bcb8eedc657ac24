// The field's three layers in order: map cells, event pictures, then the
// sorted characters and objects. Every scene that shows the field draws it.
#pragma once

void DrawFieldLayers();
