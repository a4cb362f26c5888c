// The benchmark's command line in the browser: the program folder holding data/.
Module['arguments'] = ['/'];
