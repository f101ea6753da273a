nested;X(t)=sqrt(t)*cos(atan(t/10));Y(t)=-(t+1)*(t-2)/(1+tan(t/4));t;-90;90;2;1;0
sqrt(asin(0.5)*2)+-(-D[0])*1e-3