#pragma once

class TDBNavigator;
class TQtImageList;

// Gives all ten buttons, hidden ones too, their caption and image i of the list above it.
void SetupNavigatorButtons(TDBNavigator& navigator, const TQtImageList& images);
