#pragma once

// What a screen reader hears beyond Qt's defaults.
namespace volantra {

/// Gives each screen the window role, with its controls and captions but not its
/// decorative frames nor its unit captions as children; each result box its name with its full
/// text; and each percentage bar the percentage the screen shows as its value, rather than the
/// bar's raw position. Call it before the first screen is created; later calls do nothing.
void InstallAccessibility();

}  // namespace volantra
