#pragma once
// Lays out every picture of the program, labelled, on one image for review.

#include <QImage>

namespace bpd::tools {

// zoom > 1 enlarges the small pictures (logos, icon) a second time beside their natural size.
QImage renderContactSheet(int smallPictureZoom = 4);

}  // namespace bpd::tools
