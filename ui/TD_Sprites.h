#pragma once

// The data module created between the model and the main window. It holds
// nothing and does nothing; it keeps its place in the start-up order.
class TD_Sprites
{
};
