// Placeholder until the window is written.
int main() { return 0; }
