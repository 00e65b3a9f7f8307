#pragma once

#include <QProxyStyle>

namespace tivora {

// The style of the editing page control's tab bar: the tabs keep half the usual room beside
// their captions, so that every page's tab fits beside the preview at the window's first size.
class CompactTabStyle : public QProxyStyle {
    Q_OBJECT

public:
    using QProxyStyle::QProxyStyle;

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
};

} // namespace tivora
