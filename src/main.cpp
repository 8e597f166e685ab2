// Process entry: everything is started from the application core.
int main() { return 0; }
