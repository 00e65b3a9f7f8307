#pragma once

class QScrollArea;
class QWidget;

namespace tivora {

// Fills page with body in an area that scrolls up and down when the body is taller than the page,
// so that a short window scrolls a page's groups rather than squeezing them. It never scrolls
// sideways: a page is laid out for the narrow editing side, and a bar across would only take
// room from it. Tab goes from control to control and never stops on the area itself, which
// brings the control in focus into view by itself.
QScrollArea* scrollingBody(QWidget* page, QWidget* body);

} // namespace tivora
