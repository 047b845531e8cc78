// The translation unit that compiles a precompiled header once for every target that reuses it.
