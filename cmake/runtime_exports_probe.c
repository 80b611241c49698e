/* A program with nothing of its own: what it exports comes from the runtime
 * that zig links into every program (see private_runtime.cmake). */
int main(void) { return 0; }
