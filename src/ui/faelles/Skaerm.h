#pragma once

class QWidget;

// Places a window in the middle of the screen it is on.
void CentrerPaaSkaermen(QWidget* vindue);
