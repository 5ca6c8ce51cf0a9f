#include "effects.h"

#include <utility>
#include <vector>

#include "random.h"

void RandomTilesEffect(const TransitionPlan& plan, const TransitionRequest& request) {
    int width = plan.client.right - plan.client.left;
    int height = plan.client.bottom - plan.client.top;
    // A fifteenth of the width the view would have at 96 DPI, scaled down to whole pixels.
    int side = ScaleFromDpi(width, plan.dpi) / 15 * plan.dpi / kDefaultDpi;
    if (side < 1) side = 1;
    int cols = (width + side - 1) / side;
    int rows = (height + side - 1) / side;
    int n = cols * rows;
    if (n < 1) return;

    // Entry p is the tile shown p-th; tile k lies in column k mod cols, row k div cols.
    std::vector<int> order(n);
    for (int k = 0; k < n; ++k) order[k] = k;
    ShuffleIndices(order.data(), n);
    for (int k : order) {
        int x = side * (k % cols);
        int y = side * (k / cols);
        // Widened by 2 pixels to the right and down so neighbouring tiles overlap.
        CRgn tile;
        tile.CreateRectRgn(x, y, x + side + 2, y + side + 2);
        RevealRegion(std::move(tile), &request);
    }
}
