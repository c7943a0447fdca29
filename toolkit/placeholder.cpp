// The source of a toolkit library whose subsystem has no class yet: a static
// library needs one object. A folder stops using it with its first .cpp.
namespace { [[maybe_unused]] int toolkitPlaceholder; }
