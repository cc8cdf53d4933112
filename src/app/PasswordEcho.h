#pragma once
// Password boxes show each character as "*", whatever the style's own mask character is.
class QLineEdit;

void ShowPasswordAsStars(QLineEdit *Edit);
