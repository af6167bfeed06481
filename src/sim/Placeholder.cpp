// Replaced by the board model.
namespace brv3::sim {
int SimPlaceholder() { return 0; }
}  // namespace brv3::sim
